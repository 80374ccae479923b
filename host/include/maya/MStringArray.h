#pragma once
#include <maya/MString.h>

#include <iosfwd>
#include <vector>

class OPENMAYA_EXPORT MStringArray {
public:
    MStringArray() = default;
    MStringArray(unsigned int initialSize, const MString& initialValue)
        : items_(initialSize, initialValue) {}
    MStringArray(const MString* values, unsigned int count) : items_(values, values + count) {}

    MString& operator[](unsigned int index) { return items_[index]; }
    const MString& operator[](unsigned int index) const { return items_[index]; }
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus setLength(unsigned int length);
    MStatus append(const MString& value);
    MStatus insert(const MString& value, unsigned int index);
    MStatus remove(unsigned int index);
    MStatus set(const MString& value, unsigned int index);
    MStatus clear();
    int indexOf(const MString& value) const;

private:
    std::vector<MString> items_;
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MStringArray& array);
