// The undo snapshots' block array: values come back as stored whatever is shared, a run of
// equal values costs one block, and a snapshot against a base costs only what differs.
#include "sculpt/KVBlockArray.h"

#include <gtest/gtest.h>

#include <unordered_set>
#include <vector>

namespace {
using Array = KVBlockArray<double>;
constexpr size_t kBlock = Array::kBlockSize;
constexpr size_t kPage = Array::kPageSize;
constexpr size_t kBlockBytes = kBlock * sizeof(double);
constexpr size_t kPageBytes = Array::kPageBlocks * sizeof(std::shared_ptr<const void>);

void assignFrom(Array& array, const std::vector<double>& values, const Array& base) {
    array.assign(
        values.size(),
        [&values](size_t first, size_t n, double* out) {
            for (size_t k = 0; k < n; ++k)
                out[k] = values[first + k];
        },
        base);
}

std::vector<double> readBack(const Array& array) {
    std::vector<double> values;
    size_t expectedFirst = 0;
    array.read([&](size_t first, size_t n, const double* block) {
        EXPECT_EQ(first, expectedFirst);
        values.insert(values.end(), block, block + n);
        expectedFirst = first + n;
    });
    return values;
}

size_t storage(const std::vector<const Array*>& arrays) {
    std::unordered_set<const void*> seen;
    size_t bytes = 0;
    for (const Array* array : arrays)
        bytes += array->addStorage(seen);
    return bytes;
}
} // namespace

TEST(KVBlockArrayTest, RunsOfEqualBlocksAreHeldOnceAndReadBackAsStored) {
    // Two pages and a partial third: ones throughout, but a block that differs from the run
    // only in its last value, and a block of twos after it.
    std::vector<double> values(2 * kPage + 37, 1.0);
    values[3 * kBlock - 1] = 1.5;
    for (size_t k = 5 * kBlock; k < 6 * kBlock; ++k)
        values[k] = 2.0;
    Array array;
    assignFrom(array, values, Array());
    EXPECT_EQ(readBack(array), values);
    // Blocks: the first run of ones, the odd block, the ones after it, the twos, the ones
    // after the twos (a run shares only with the block just before it), and the partial
    // block, padded with zeros.
    const size_t pages = 3;
    EXPECT_EQ(storage({&array}), pages * sizeof(void*) * 2 + pages * kPageBytes + 6 * kBlockBytes);
}

TEST(KVBlockArrayTest, ASnapshotAgainstItsBaseHoldsOnlyTheBlocksThatDiffer) {
    std::vector<double> values(kPage + 3 * kBlock);
    for (size_t k = 0; k < values.size(); ++k)
        values[k] = static_cast<double>(k); // no two blocks alike
    Array base;
    assignFrom(base, values, Array());
    const size_t baseBytes = storage({&base});
    values[kPage + kBlock] += 0.25; // one block of the second page
    Array next;
    assignFrom(next, values, base);
    EXPECT_EQ(readBack(next), values);
    // The new snapshot adds its page list, one page and one block.
    EXPECT_EQ(storage({&base, &next}), baseBytes + 2 * sizeof(void*) * 2 + kPageBytes + kBlockBytes);
    // A base of another length shares nothing.
    values.push_back(1.0);
    Array longer;
    assignFrom(longer, values, base);
    EXPECT_EQ(readBack(longer), values);
    EXPECT_EQ(storage({&base, &longer}), 2 * baseBytes + kBlockBytes);
}
