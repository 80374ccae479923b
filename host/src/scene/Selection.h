#pragma once
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>

namespace rvhost {

// The application's selection state behind MGlobal's selection calls.
struct Selection {
    MSelectionList active;
    MGlobal::MSelectionMode mode = MGlobal::kSelectObjectMode;
    MSelectionMask objectMask = MSelectionMask::kSelectObjectsMask;

    static Selection& instance();
    // Applies a list to the active one as MGlobal's list adjustments do.
    void adjust(const MSelectionList& list, MGlobal::ListAdjustment how);
};

} // namespace rvhost
