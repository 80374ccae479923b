#include "scene/Selection.h"

namespace rvhost {

Selection& Selection::instance() {
    static Selection selection;
    return selection;
}

void Selection::adjust(const MSelectionList& list, MGlobal::ListAdjustment how) {
    switch (how) {
    case MGlobal::kReplaceList:
        active = list;
        break;
    case MGlobal::kAddToList:
        active.merge(list);
        break;
    case MGlobal::kRemoveFromList:
        active.merge(list, MSelectionList::kRemoveFromList);
        break;
    case MGlobal::kXORWithList:
        active.merge(list, MSelectionList::kXORWithList);
        break;
    case MGlobal::kAddToHeadOfList: {
        MSelectionList head = list;
        head.merge(active);
        active = head;
        break;
    }
    }
    active = active.live();
}

} // namespace rvhost

// MGlobal's selection calls; the rest of MGlobal lives with the script language.

MStatus MGlobal::getActiveSelectionList(MSelectionList& list, bool) {
    list = rvhost::Selection::instance().active.live();
    return MS::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& list, ListAdjustment mode) {
    rvhost::Selection::instance().adjust(list, mode);
    return MS::kSuccess;
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
    list.clear();
    return list.add(name);
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment mode) {
    MSelectionList list;
    MStatus status = list.add(name);
    if (status) rvhost::Selection::instance().adjust(list, mode);
    return status;
}

MStatus MGlobal::clearSelectionList() {
    rvhost::Selection::instance().active.clear();
    return MS::kSuccess;
}

MGlobal::MSelectionMode MGlobal::selectionMode(MStatus* ReturnStatus) {
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    return rvhost::Selection::instance().mode;
}

MStatus MGlobal::setSelectionMode(MSelectionMode mode) {
    rvhost::Selection::instance().mode = mode;
    return MS::kSuccess;
}

MStatus MGlobal::setObjectSelectionMask(const MSelectionMask& mask) {
    rvhost::Selection::instance().objectMask = mask;
    return MS::kSuccess;
}
