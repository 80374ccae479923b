#include <maya/MStringArray.h>

#include <ostream>

MStatus MStringArray::setLength(unsigned int length) {
    items_.resize(length);
    return MS::kSuccess;
}

MStatus MStringArray::append(const MString& value) {
    items_.push_back(value);
    return MS::kSuccess;
}

MStatus MStringArray::insert(const MString& value, unsigned int index) {
    if (index > items_.size()) return MS::kFailure;
    items_.insert(items_.begin() + index, value);
    return MS::kSuccess;
}

MStatus MStringArray::remove(unsigned int index) {
    if (index >= items_.size()) return MS::kFailure;
    items_.erase(items_.begin() + index);
    return MS::kSuccess;
}

MStatus MStringArray::set(const MString& value, unsigned int index) {
    if (index >= items_.size()) items_.resize(index + 1);
    items_[index] = value;
    return MS::kSuccess;
}

MStatus MStringArray::clear() {
    items_.clear();
    return MS::kSuccess;
}

int MStringArray::indexOf(const MString& value) const {
    for (unsigned int i = 0; i < items_.size(); ++i)
        if (items_[i] == value) return static_cast<int>(i);
    return -1;
}

std::ostream& operator<<(std::ostream& os, const MStringArray& array) {
    os << "[";
    for (unsigned int i = 0; i < array.length(); ++i)
        os << (i ? ", " : "") << array[i];
    return os << "]";
}
