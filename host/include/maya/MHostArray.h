#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <cstddef>
#include <ostream>
#include <vector>

// The behaviour every API array shares: a growable sequence with index-checked edits.
// Each API array class derives from it and adds what the real class adds.
template <class T> class MHostArray {
public:
    MHostArray() = default;
    MHostArray(unsigned int initialSize, const T& initialValue = T())
        : items_(initialSize, initialValue) {}
    MHostArray(const T src[], unsigned int count) : items_(src, src + count) {}

    const T& operator[](unsigned int index) const { return items_[index]; }
    T& operator[](unsigned int index) { return items_[index]; }
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus setLength(unsigned int length) {
        items_.resize(length);
        return MS::kSuccess;
    }
    MStatus append(const T& element) {
        items_.push_back(element);
        return MS::kSuccess;
    }
    // index may equal length(), which appends.
    MStatus insert(const T& element, unsigned int index) {
        if (index > items_.size()) return MS::kFailure;
        items_.insert(items_.begin() + index, element);
        return MS::kSuccess;
    }
    MStatus remove(unsigned int index) {
        if (index >= items_.size()) return MS::kFailure;
        items_.erase(items_.begin() + index);
        return MS::kSuccess;
    }
    MStatus set(const T& element, unsigned int index) {
        if (index >= items_.size()) return MS::kFailure;
        items_[index] = element;
        return MS::kSuccess;
    }
    MStatus clear() {
        items_.clear();
        return MS::kSuccess;
    }
    MStatus setSizeIncrement(unsigned int newIncrement) {
        items_.reserve(items_.size() + newIncrement);
        return MS::kSuccess;
    }
    unsigned int sizeIncrement() const { return 1; }
    void copy(const MHostArray& source) { items_ = source.items_; }

    // Host side: the elements as one contiguous block (host code fills big arrays in place).
    const std::vector<T>& items() const { return items_; }
    std::vector<T>& items() { return items_; }

protected:
    // For arrays of scalars: the elements into a flat C array.
    template <class S> MStatus copyTo(S dest[]) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            dest[i] = static_cast<S>(items_[i]);
        return MS::kSuccess;
    }
    // For arrays of tuples: the first N components of each element into rows.
    template <class S, std::size_t N> MStatus copyRowsTo(S (*dest)[N]) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            for (unsigned int k = 0; k < N; ++k)
                dest[i][k] = static_cast<S>(items_[i][k]);
        return MS::kSuccess;
    }
    template <class S, std::size_t N> void assignRows(const S (*src)[N], unsigned int count) {
        items_.assign(count, T());
        for (unsigned int i = 0; i < count; ++i)
            for (unsigned int k = 0; k < N; ++k)
                items_[i][k] = src[i][k];
    }
    template <class S> void assignFrom(const S src[], unsigned int count) {
        items_.clear();
        for (unsigned int i = 0; i < count; ++i)
            items_.push_back(static_cast<T>(src[i]));
    }

    std::vector<T> items_;
};

template <class T> std::ostream& operator<<(std::ostream& os, const MHostArray<T>& array) {
    os << "[";
    for (unsigned int i = 0; i < array.length(); ++i)
        os << (i ? ", " : "") << array[i];
    return os << "]";
}
