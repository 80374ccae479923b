#include <maya/MSelectionMask.h>

MStatus MSelectionMask::setMask(SelectionType type) {
    types_ = {type};
    return MS::kSuccess;
}

MStatus MSelectionMask::setMask(const MSelectionMask& mask) {
    types_ = mask.types_;
    return MS::kSuccess;
}

MStatus MSelectionMask::addMask(SelectionType type) {
    types_.insert(type);
    return MS::kSuccess;
}

bool MSelectionMask::intersects(SelectionType type, MStatus* ReturnStatus) const {
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    return types_.count(type) > 0;
}

bool MSelectionMask::intersects(const MSelectionMask& mask, MStatus* ReturnStatus) const {
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    for (int type : mask.types_)
        if (types_.count(type)) return true;
    return false;
}

MSelectionMask MSelectionMask::operator|(const MSelectionMask& other) const {
    MSelectionMask result = *this;
    result.types_.insert(other.types_.begin(), other.types_.end());
    return result;
}
