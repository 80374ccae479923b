#pragma once
#include <maya/MDataHandle.h>

#include <vector>

// The elements of an array attribute inside a compute, walked by physical index.
class OPENMAYA_EXPORT MArrayDataHandle {
public:
    MArrayDataHandle() = default;

    unsigned int elementCount(MStatus* ReturnStatus = nullptr) const;
    unsigned int elementIndex(MStatus* ReturnStatus = nullptr) const;
    MStatus jumpToElement(unsigned int logicalIndex);
    MStatus jumpToArrayElement(unsigned int physicalIndex);
    MStatus next();
    MDataHandle inputValue(MStatus* ReturnStatus = nullptr);
    MDataHandle outputValue(MStatus* ReturnStatus = nullptr);
    void setClean();

    // Host side.
    MArrayDataHandle(rvhost::Node* node, const rvhost::Attribute* attribute, bool output);

private:
    rvhost::Node* node_ = nullptr;
    const rvhost::Attribute* attribute_ = nullptr;
    bool output_ = false;
    std::vector<int> elements_;
    unsigned int position_ = 0;
};
