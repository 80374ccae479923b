#include "view/SceneMeshes.h"

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "mesh/MeshGeometry.h"
#include "mesh/MeshShape.h"
#include "scene/DagNode.h"
#include "scene/Scene.h"

namespace rvhost {

namespace {

MVector toVector(const Vec3& v) {
    return MVector(v.x, v.y, v.z);
}

void appendCorner(ShadedMesh& out, const MPoint& p, const MVector& n) {
    out.positions.insert(out.positions.end(), {float(p.x), float(p.y), float(p.z)});
    out.normals.insert(out.normals.end(), {float(n.x), float(n.y), float(n.z)});
}

bool hidden(const DagNode& node) {
    auto visibility = node.findAttribute("visibility");
    if (!visibility) return false;
    const PlugValue value = node.storedValue({visibility.get(), -1});
    return std::holds_alternative<double>(value) && std::get<double>(value) == 0.0;
}

void visitBelow(const DagNode& node,
                const std::function<void(const MeshShape&, const MMatrix&)>& visit) {
    if (!node.isWorld() && (hidden(node) || node.intermediate())) return;
    if (auto shape = dynamic_cast<const MeshShape*>(&node)) visit(*shape, node.worldMatrix());
    for (const auto& child : node.children())
        visitBelow(*child, visit);
}

} // namespace

void forEachVisibleMesh(const std::function<void(const MeshShape&, const MMatrix&)>& visit) {
    visitBelow(Scene::instance().world(), visit);
}

std::vector<ShadedMesh> collectSceneMeshes(bool flat) {
    std::vector<ShadedMesh> meshes;
    forEachVisibleMesh([&](const MeshShape& shape, const MMatrix& world) {
        meshes.emplace_back();
        appendShadedMesh(shape.geometry(), world, flat, meshes.back());
    });
    return meshes;
}

void appendShadedMesh(const MeshGeometry& mesh, const MMatrix& world, bool flat, ShadedMesh& out) {
    for (const TriangleRef& tri : mesh.triangles()) {
        const MVector faceNormal = toVector(mesh.polygonNormal(tri.face)).transformAsNormal(world);
        for (int v : tri.v) {
            const MPoint p = MPoint(toVector(mesh.point(v))) * world;
            const MVector n =
                flat ? faceNormal : toVector(mesh.vertexNormal(v)).transformAsNormal(world);
            appendCorner(out, p, n);
        }
    }
}

} // namespace rvhost
