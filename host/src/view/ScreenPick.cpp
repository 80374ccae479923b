#include "view/ScreenPick.h"

#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "mesh/MeshShape.h"
#include "scene/Selection.h"
#include "view/SceneMeshes.h"
#include "view/ViewPort.h"

#include <algorithm>
#include <limits>

namespace rvhost {

namespace {

std::shared_ptr<DagNode> transformOf(const MeshShape& shape) {
    auto parent = shape.parent();
    return parent && !parent->isWorld() ? parent : nullptr;
}

Vec3 toVec3(const MPoint& p) {
    return {p.x, p.y, p.z};
}
Vec3 toVec3(const MVector& v) {
    return {v.x, v.y, v.z};
}

// Selects what was picked as MGlobal's list adjustments say, if the object selection mask
// lets meshes be picked at all.
MStatus select(const std::vector<std::shared_ptr<DagNode>>& picked,
               MGlobal::ListAdjustment adjustment) {
    const MSelectionMask& mask = Selection::instance().objectMask;
    const bool meshes = mask.intersects(MSelectionMask::kSelectMeshes) ||
                        mask.intersects(MSelectionMask::kSelectObjectsMask);
    MSelectionList list;
    for (const auto& node : meshes ? picked : std::vector<std::shared_ptr<DagNode>>()) {
        MDagPath path;
        if (MDagPath::getAPathTo(node->handle(), path)) list.add(path);
    }
    Selection::instance().adjust(list, adjustment);
    return MS::kSuccess;
}

} // namespace

std::shared_ptr<DagNode> pickAt(const ViewPort& view, double x, double y) {
    const ViewPort::Ray ray = view.ray(x, y);
    std::shared_ptr<DagNode> nearest;
    double nearestParam = std::numeric_limits<double>::infinity();
    forEachVisibleMesh([&](const MeshShape& shape, const MMatrix& world) {
        // Carried unnormalised, the direction keeps the ray parameter a world distance.
        const MMatrix inverse = world.inverse();
        RayQuery query;
        query.source = toVec3(ray.origin * inverse);
        query.direction = toVec3(ray.direction * inverse);
        query.maxParam = std::numeric_limits<double>::max();
        RayHit hit;
        if (shape.geometry().castRay(query, hit) && hit.param < nearestParam) {
            nearestParam = hit.param;
            nearest = transformOf(shape);
        }
    });
    return nearest;
}

std::vector<std::shared_ptr<DagNode>> pickInside(const ViewPort& view, double x0, double y0,
                                                 double x1, double y1) {
    const double left = std::min(x0, x1), right = std::max(x0, x1);
    const double bottom = std::min(y0, y1), top = std::max(y0, y1);
    std::vector<std::shared_ptr<DagNode>> picked;
    forEachVisibleMesh([&](const MeshShape& shape, const MMatrix& world) {
        const MeshGeometry& mesh = shape.geometry();
        for (int v = 0; v < mesh.numVertices(); ++v) {
            const Vec3 p = mesh.point(v);
            const ViewPort::Projected at = view.project(MPoint(p.x, p.y, p.z) * world);
            if (at.inFront && at.x >= left && at.x <= right && at.y >= bottom && at.y <= top) {
                if (auto transform = transformOf(shape)) picked.push_back(transform);
                return;
            }
        }
    });
    return picked;
}

} // namespace rvhost

MStatus MGlobal::selectFromScreen(const short xPos, const short yPos, ListAdjustment listAdjustment,
                                  MSelectionMode) {
    std::vector<std::shared_ptr<rvhost::DagNode>> picked;
    if (auto node = rvhost::pickAt(rvhost::ViewPort::active(), xPos, yPos)) picked.push_back(node);
    return rvhost::select(picked, listAdjustment);
}

MStatus MGlobal::selectFromScreen(const short startX, const short startY, const short endX,
                                  const short endY, ListAdjustment listAdjustment, MSelectionMode) {
    return rvhost::select(
        rvhost::pickInside(rvhost::ViewPort::active(), startX, startY, endX, endY), listAdjustment);
}
