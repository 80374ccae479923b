#pragma once
#include "mesh/MeshGeometry.h"
#include "scene/DagNode.h"

#include <memory>
#include <string>

namespace rvhost {

// The mesh shape node (type "mesh", MFn::kMesh). It keeps its geometry itself; the plugs
// outMesh reads it as mesh data and worldMesh[n] the same in world space, and setting inMesh or
// outMesh replaces it (inMesh affects outMesh and worldMesh, so a shape fed by a deformer passes
// the result on). intermediateObject mirrors the DAG node's intermediate flag.
class MeshShape : public DagNode {
public:
    MeshShape();

    struct Attributes {
        std::shared_ptr<Attribute> inMesh, outMesh, worldMesh, intermediateObject;
    };
    static const Attributes& attributes();
    // Registers the type with NodeTypes (idempotent; also done when the library loads).
    static void registerType();

    int componentCount(MFn::Type type) const override;
    MeshGeometry& geometry() { return geometry_; }
    const MeshGeometry& geometry() const { return geometry_; }

    // Called by the API after it changed the geometry in place (points, normals): the
    // dependency graph learns that outMesh and worldMesh changed, so what they feed (a
    // deformer's input) is evaluated again.
    void geometryEdited();
    // The same, told to the graph later (see Graph::changedLater): for edits made a point at
    // a time, which the caller closes with updateSurface.
    void geometryEditedLater();

    // A mesh shape under `transform`, named after it, holding `geometry`; null with the
    // scene's reason in `error` on failure.
    static std::shared_ptr<MeshShape> createUnder(MeshGeometry geometry, DagNode& transform,
                                                  std::string* error = nullptr);
    // A transform named `name` (or `defaultBase` numbered, when empty) with a mesh shape
    // under it named after it ("pPlane2" gives "pPlaneShape2"), holding `geometry`.
    // Returns the shape, or null with the scene's reason in `error`.
    static std::shared_ptr<MeshShape> createWithTransform(MeshGeometry geometry,
                                                          const std::string& name,
                                                          const std::string& defaultBase,
                                                          std::string* error = nullptr);

protected:
    bool readHook(const PlugId& plug, PlugValue& value) const override;
    bool writeHook(const PlugId& plug, const PlugValue& value) override;

private:
    // The geometry with its points carried into world space, for worldMesh.
    MeshGeometry worldGeometry() const;

    MeshGeometry geometry_;
};

// The shape behind a handle (a mesh node), or null.
std::shared_ptr<MeshShape> meshShapeOf(const MObject& object);
// The geometry behind a mesh node or mesh data handle, or null.
MeshGeometry* geometryOf(const MObject& object);

} // namespace rvhost
