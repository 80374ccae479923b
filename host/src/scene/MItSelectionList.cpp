#include <maya/MItSelectionList.h>

#include "scene/Report.h"

MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter,
                                   MStatus* ReturnStatus)
    : list_(list), filter_(filter) {
    skipFiltered();
    rvhost::report(ReturnStatus, MS::kSuccess);
}

void MItSelectionList::skipFiltered() {
    while (index_ < list_.length() && filter_ != MFn::kInvalid &&
           !list_.items()[index_].node.hasFn(filter_))
        ++index_;
}

bool MItSelectionList::isDone(MStatus* ReturnStatus) const {
    return rvhost::reported(ReturnStatus, true, index_ >= list_.length());
}

MStatus MItSelectionList::next() {
    if (index_ < list_.length()) ++index_;
    skipFiltered();
    return MS::kSuccess;
}

MStatus MItSelectionList::reset() {
    index_ = 0;
    skipFiltered();
    return MS::kSuccess;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
    filter_ = filter;
    return reset();
}

MStatus MItSelectionList::getDagPath(MDagPath& path) const {
    return list_.getDagPath(index_, path);
}

MStatus MItSelectionList::getDagPath(MDagPath& path, MObject& component) const {
    return list_.getDagPath(index_, path, component);
}

MStatus MItSelectionList::getDependNode(MObject& node) const {
    return list_.getDependNode(index_, node);
}

MStatus MItSelectionList::getStrings(MStringArray& strings) const {
    strings.clear();
    return list_.getSelectionStrings(index_, strings);
}

bool MItSelectionList::hasComponents(MStatus* ReturnStatus) const {
    bool ok = index_ < list_.length();
    return rvhost::reported(ReturnStatus, ok, ok && !list_.items()[index_].component.isNull());
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* ReturnStatus) const {
    if (index_ >= list_.length()) return rvhost::reported(ReturnStatus, false, kUnknownItem);
    const MSelectionList::Item& item = list_.items()[index_];
    if (!item.plug.isNull()) return rvhost::reported(ReturnStatus, true, kPlugSelectionItem);
    return rvhost::reported(ReturnStatus, true,
                            item.path.length() ? kDagSelectionItem : kDNselectionItem);
}
