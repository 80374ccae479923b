#pragma once
// The registry of sculptable meshes: one record a registered mesh, tied to the mesh by an
// identifier written into the mesh's hidden RavelinSculptID attribute, plus the record
// that is current. Every change is mirrored into three global script arrays.
#include "sculpt/RVMeshData.h"

#include <maya/MDagPath.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <rpc.h>

#include <vector>

class KVSculptRegistry {
public:
    // The instance constructed at library load.
    static KVSculptRegistry& instance();

    // Finds or makes the record of a mesh shape; returns the index that is current after.
    int registerMesh(const MDagPath& meshPath);
    // Transforms are extended to their mesh; GeoLink children are refused with a warning.
    MStatus addMesh(MDagPath path);
    // addMesh for every selected path, then the selection is cleared.
    MStatus addSelected();

    // The current record, rebuilt first when stale; null when empty or out of the model.
    RVMeshData* currentRecord();
    MStatus selectRecordById(const UUID& id);
    bool findRecordById(const UUID& id, int& index) const;
    MStatus findIndexByPath(const MDagPath& path, int& index) const;
    int countByPath(const MDagPath& path) const;
    bool anyInModel() const;

    MStatus rebuildRecord(RVMeshData& record);
    MStatus rebuildAt(int index);
    void refreshAll();

    MStatus removeByPath(const MDagPath& path);
    MStatus removeByName(const MString& name);
    void removeAll();
    // Drops the old name's record and registers the mesh the new name resolves to. A new
    // name that resolves to no mesh changes nothing and gives not-found.
    MStatus renameCache(const MString& oldName, const MString& newName);

    // Links a child surface to a parent; linking a mesh to itself fails and changes nothing.
    MStatus linkSurface(const MString& parentName, const MString& childName);
    MStatus unlinkSurface(const MString& parentName, const MString& childName);
    bool isLinked(const MString& parentName, const MString& childName);
    bool isGeoLinkedChild(const MDagPath& path) const;

    // Rewrites $gRVSculptMeshes, $gRVAllCachedMeshes and $gRVAllCachedGUIDs.
    void publishToScripts() const;

    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    int currentIndex() const { return current_; }
    RVMeshData& record(int index) { return records_[index]; }
    std::vector<RVMeshData>& records() { return records_; }

private:
    // The record named by the mesh's RavelinSculptID tag, when it is that mesh's own.
    bool findRecordByTag(const MDagPath& path, int& index) const;
    int findByName(const MString& name) const;
    void clampCurrent();

    std::vector<RVMeshData> records_;
    int current_ = 0;
    // Records addMesh has just built: the refresh that follows a registration at once
    // (the context's setup) finds them built and does not build them again.
    std::vector<UUID> builtForRefresh_;
};

// The text form of a record's identifier, as written into RavelinSculptID, and back.
// Unreadable text gives the nil identifier, which no record has.
MString identifierText(const UUID& id);
UUID identifierFromText(const MString& text);
