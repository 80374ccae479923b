#pragma once
#include <maya/MFn.h>
#include <maya/MSelectionList.h>

// Walks a selection list, optionally only its items compatible with one type.
class OPENMAYA_EXPORT MItSelectionList {
public:
    enum selItemType {
        kUnknownItem = -1,
        kDagSelectionItem,
        kAnimSelectionItem,
        kDNselectionItem,
        kPlugSelectionItem
    };

    MItSelectionList(const MSelectionList& list, MFn::Type filter = MFn::kInvalid,
                     MStatus* ReturnStatus = nullptr);

    bool isDone(MStatus* ReturnStatus = nullptr) const;
    MStatus next();
    MStatus reset();
    MStatus getDagPath(MDagPath& path) const;
    MStatus getDagPath(MDagPath& path, MObject& component) const;
    MStatus getDependNode(MObject& node) const;
    MStatus getStrings(MStringArray& strings) const;
    bool hasComponents(MStatus* ReturnStatus = nullptr) const;
    selItemType itemType(MStatus* ReturnStatus = nullptr) const;
    MStatus setFilter(MFn::Type filter);

private:
    void skipFiltered();

    MSelectionList list_;
    MFn::Type filter_;
    unsigned int index_ = 0;
};
