#pragma once
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

#include "mesh/MeshGeometry.h"
#include "mesh/MeshShape.h"

#include <memory>
#include <optional>

namespace rvhost {

// A mesh as the API reaches it: a mesh shape or a mesh data object, its geometry, and the
// conversions between object space and the space a caller names. kWorld uses the shape's
// world matrix; every other space is object space; data objects have no world space.
class MeshAccess {
public:
    explicit MeshAccess(const MObject& object);

    bool valid() const { return geometry_ != nullptr; }
    MeshGeometry& geometry() const { return *geometry_; }
    const std::shared_ptr<MeshShape>& shape() const { return shape_; }
    // kInvalidParameter for world space on data; kSuccess otherwise.
    MStatus checkSpace(MSpace::Space space) const;
    // Records an edit: the views redraw and the graph learns that the mesh changed.
    void edited() const;
    // The same, with the graph told at the next updateSurface (edited) or before it next
    // works, whichever comes first.
    void editedLater() const;

    MPoint pointOut(const Vec3& p, MSpace::Space space) const;
    Vec3 pointIn(const MPoint& p, MSpace::Space space) const;
    MVector vectorOut(const Vec3& v, MSpace::Space space) const;
    Vec3 vectorIn(const MVector& v, MSpace::Space space) const;
    // Normals carry through the inverse transpose and come out unit length.
    MVector normalOut(const Vec3& n, MSpace::Space space) const;
    Vec3 normalIn(const MVector& n, MSpace::Space space) const;
    // True for world space on a shape, with the matrices ready: the ...Out and ...In
    // calls change values only then.
    bool world(MSpace::Space space) const;

private:

    MeshGeometry* geometry_ = nullptr;
    std::shared_ptr<MeshShape> shape_;
    // Made on first use: most calls never leave object space (and making two identity
    // matrices would be much of the cost of a one-point call).
    struct Matrices {
        MMatrix toWorld, toObject;
    };
    mutable std::optional<Matrices> matrices_;
};

} // namespace rvhost
