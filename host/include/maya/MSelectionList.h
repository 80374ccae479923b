#pragma once
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>
#include <maya/MTypes.h>

#include <vector>

// An ordered list of DAG paths (with an optional component each) and dependency nodes.
// An item appears once: adding a path again merges its components.
class OPENMAYA_EXPORT MSelectionList {
public:
    enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

    MSelectionList() = default;

    // A name, a path, a pattern with '*' and '?' wildcards, or components of a mesh such as
    // "pPlane1.vtx[3]", "pPlaneShape1.f[0:4]", "pPlane1.e[*]". Nothing matching: kInvalidParameter.
    MStatus add(const MString& matchString, bool searchChildNamespacesToo = false);
    MStatus add(const MObject& object, bool mergeWithExisting = false);
    MStatus add(const MDagPath& path, const MObject& component = MObject::kNullObj,
                bool mergeWithExisting = false);
    MStatus add(const MPlug& plug, bool mergeWithExisting = true);
    MStatus merge(const MSelectionList& other, MergeStrategy strategy = kMergeNormal);
    MStatus remove(unsigned int index);
    MStatus clear();

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    bool isEmpty(MStatus* ReturnStatus = nullptr) const;
    MStatus getDagPath(unsigned int index, MDagPath& path) const;
    MStatus getDagPath(unsigned int index, MDagPath& path, MObject& component) const;
    MStatus getDependNode(unsigned int index, MObject& node) const;
    MStatus getPlug(unsigned int index, MPlug& plug) const;
    // One text per item: partial path names, with components as "pPlane1.vtx[3:5]".
    MStatus getSelectionStrings(MStringArray& strings) const;
    MStatus getSelectionStrings(unsigned int index, MStringArray& strings) const;
    bool hasItem(const MDagPath& path, const MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = nullptr) const;
    bool hasItem(const MObject& object, MStatus* ReturnStatus = nullptr) const;

    // Host side.
    struct Item {
        MDagPath path;     // DAG items
        MObject node;      // the node, DAG or not
        MObject component; // null for a whole object
        MPlug plug;        // plug items
    };
    const std::vector<Item>& items() const { return items_; }
    // Items whose node is still in the model.
    MSelectionList live() const;

private:
    void addItem(Item item, bool merge);

    std::vector<Item> items_;
};
