#pragma once
// A fixed-length array kept as shared blocks of 64 values, gathered in pages of 64 blocks,
// for undo snapshots: a snapshot made with another as its base shares every block (and
// page) whose bytes equal the base's, and a block equal to the one before it is shared too,
// so a history of strokes that each move a small part of a mesh holds each unchanged block
// once, and a run of equal values (a clear mask) costs one block. The values are plain data, compared byte for
// byte, so a restored value is bit-for-bit the one saved.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <unordered_set>
#include <vector>

template <class T> class KVBlockArray {
    static_assert(std::is_trivially_copyable<T>::value, "blocks are compared byte for byte");

public:
    static constexpr size_t kBlockSize = 64;
    static constexpr size_t kPageBlocks = 64;
    static constexpr size_t kPageSize = kBlockSize * kPageBlocks;

    size_t size() const { return size_; }

    // Takes `count` values that fill(first, n, out) writes, n at a time, into out; blocks
    // and pages that come out equal to the same block or page of `base` are shared with it.
    template <class Fill> void assign(size_t count, Fill fill, const KVBlockArray& base) {
        const bool comparable = base.size_ == count;
        std::vector<PagePtr> pages((count + kPageSize - 1) / kPageSize);
        Block scratch;
        BlockPtr previousPtr;
        const Block* previous = nullptr;
        for (size_t p = 0; p < pages.size(); ++p) {
            const Page* basePage = comparable ? base.pages_[p].get() : nullptr;
            Page page{};
            bool allShared = basePage != nullptr;
            for (size_t b = 0; b < kPageBlocks; ++b) {
                const size_t first = p * kPageSize + b * kBlockSize;
                if (first >= count) break; // the base, as long, ends here too
                const size_t n = std::min(kBlockSize, count - first);
                scratch.fill(T());
                fill(first, n, scratch.data());
                const Block* baseBlock = basePage ? (*basePage)[b].get() : nullptr;
                if (baseBlock && std::memcmp(baseBlock->data(), scratch.data(), sizeof(Block)) == 0) {
                    page[b] = (*basePage)[b];
                } else {
                    allShared = false;
                    // A run of equal blocks (a mask all clear, a flat region) is held once.
                    if (previous && std::memcmp(previous->data(), scratch.data(), sizeof(Block)) == 0)
                        page[b] = previousPtr;
                    else
                        page[b] = std::make_shared<const Block>(scratch);
                }
                previousPtr = page[b];
                previous = previousPtr.get();
            }
            pages[p] = allShared ? base.pages_[p] : std::make_shared<const Page>(std::move(page));
        }
        pages_ = std::move(pages);
        size_ = count;
    }

    // Calls take(first, n, values) for the values in order, a block at a time.
    template <class Take> void read(Take take) const {
        for (size_t p = 0; p < pages_.size(); ++p)
            for (size_t b = 0; b < kPageBlocks; ++b) {
                const size_t first = p * kPageSize + b * kBlockSize;
                if (first >= size_) return;
                take(first, std::min(kBlockSize, size_ - first), (*pages_[p])[b]->data());
            }
    }

    // Adds the bytes of the blocks and pages not yet in `seen` (and notes them there), and
    // of this array's own page list.
    size_t addStorage(std::unordered_set<const void*>& seen) const {
        size_t bytes = pages_.capacity() * sizeof(PagePtr);
        for (const PagePtr& page : pages_) {
            if (!seen.insert(page.get()).second) continue;
            bytes += sizeof(Page);
            for (const BlockPtr& block : *page)
                if (block && seen.insert(block.get()).second) bytes += sizeof(Block);
        }
        return bytes;
    }

private:
    using Block = std::array<T, kBlockSize>;
    using BlockPtr = std::shared_ptr<const Block>;
    using Page = std::array<BlockPtr, kPageBlocks>;
    using PagePtr = std::shared_ptr<const Page>;

    std::vector<PagePtr> pages_;
    size_t size_ = 0;
};
