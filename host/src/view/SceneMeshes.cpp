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
    out.positions.push_back(float(p.x));
    out.positions.push_back(float(p.y));
    out.positions.push_back(float(p.z));
    out.normals.push_back(float(n.x));
    out.normals.push_back(float(n.y));
    out.normals.push_back(float(n.z));
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

void appendShadedMesh(const MeshGeometry& mesh, const MMatrix& world, bool flat, ShadedMesh& out) {
    // Each vertex is carried to world space once, and the normal matrix inverted once, not
    // again for every corner of every triangle.
    const MMatrix normalMatrix = world.inverse().transpose();
    auto worldNormal = [&normalMatrix](const Vec3& n) {
        return (toVector(n) * normalMatrix).normal();
    };
    const unsigned int first = static_cast<unsigned int>(out.positions.size() / 3);
    const int n = mesh.numVertices();
    std::vector<MPoint> points(static_cast<size_t>(n));
    for (int v = 0; v < n; ++v)
        points[v] = MPoint(toVector(mesh.point(v))) * world;
    const std::vector<TriangleRef>& triangles = mesh.triangles();
    const size_t corners = flat ? 3 * triangles.size() : static_cast<size_t>(n);
    out.positions.reserve(out.positions.size() + 3 * corners);
    out.normals.reserve(out.normals.size() + 3 * corners);
    out.indices.reserve(out.indices.size() + 3 * triangles.size());
    if (!flat) {
        for (int v = 0; v < n; ++v)
            appendCorner(out, points[v], worldNormal(mesh.vertexNormal(v)));
        for (const TriangleRef& tri : triangles)
            for (int v : tri.v)
                out.indices.push_back(first + static_cast<unsigned int>(v));
        return;
    }
    int lastFace = -1;
    MVector faceNormal;
    for (const TriangleRef& tri : triangles) {
        if (tri.face != lastFace) {
            faceNormal = worldNormal(mesh.polygonNormal(tri.face));
            lastFace = tri.face;
        }
        for (int v : tri.v) {
            out.indices.push_back(static_cast<unsigned int>(out.positions.size() / 3));
            appendCorner(out, points[v], faceNormal);
        }
    }
}

} // namespace rvhost
