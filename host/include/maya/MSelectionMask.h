#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <set>

// Which kinds of object a selection may pick.
class OPENMAYA_EXPORT MSelectionMask {
public:
    enum SelectionType {
        kSelectHandles,
        kSelectLocalAxis,
        kSelectIkHandles,
        kSelectIkEndEffectors,
        kSelectJoints,
        kSelectLights,
        kSelectCameras,
        kSelectLattices,
        kSelectClusters,
        kSelectSculpts,
        kSelectNurbsCurves,
        kSelectNurbsSurfaces,
        kSelectMeshes,
        kSelectSubdiv,
        kSelectSketchPlanes,
        kSelectParticleShapes,
        kSelectEmitters,
        kSelectFields,
        kSelectSprings,
        kSelectRigidBodies,
        kSelectRigidConstraints,
        kSelectCollisionModels,
        kSelectXYZLocators,
        kSelectLocators,
        kSelectMeshVerts = 40,
        kSelectMeshEdges,
        kSelectMeshFreeEdges,
        kSelectMeshFaces,
        kSelectObjectsMask = 100,
        kSelectComponentsMask
    };

    MSelectionMask() = default;
    MSelectionMask(SelectionType type) { types_.insert(type); }

    MStatus setMask(SelectionType type);
    MStatus setMask(const MSelectionMask& mask);
    MStatus addMask(SelectionType type);
    bool intersects(SelectionType type, MStatus* ReturnStatus = nullptr) const;
    bool intersects(const MSelectionMask& mask, MStatus* ReturnStatus = nullptr) const;

    MSelectionMask operator|(const MSelectionMask& other) const;
    MSelectionMask& operator=(const MSelectionMask& other) = default;
    MSelectionMask(const MSelectionMask& other) = default;

private:
    std::set<int> types_;
};
