#include "commands/Placement.h"

#include "commands/SceneNames.h"
#include "scene/Component.h"
#include "scene/Graph.h"
#include "script/ScriptCommands.h"

#include <maya/MSelectionList.h>

#include <algorithm>

namespace rvhost::commands {

namespace {

std::vector<int> vertexIndices(const MeshGeometry& mesh, const Component& component) {
    std::vector<int> all;
    const int count = component.apiType() == MFn::kMeshVertComponent   ? mesh.numVertices()
                      : component.apiType() == MFn::kMeshEdgeComponent ? mesh.numEdges()
                                                                       : mesh.numPolygons();
    std::vector<int> elements = component.elements();
    if (component.complete)
        for (int i = 0; i < count; ++i)
            elements.push_back(i);
    for (int element : elements) {
        if (element < 0 || element >= count) continue;
        if (component.apiType() == MFn::kMeshVertComponent) {
            all.push_back(element);
        } else if (component.apiType() == MFn::kMeshEdgeComponent) {
            all.push_back(mesh.topology().edge(element).first);
            all.push_back(mesh.topology().edge(element).second);
        } else {
            for (int i = 0; i < mesh.polygonSize(element); ++i)
                all.push_back(mesh.polygonVertex(element, i));
        }
    }
    std::vector<int> unique;
    for (int v : all)
        if (std::find(unique.begin(), unique.end(), v) == unique.end()) unique.push_back(v);
    return unique;
}

MPoint toPoint(const Vec3& v) {
    return MPoint(v.x, v.y, v.z);
}

} // namespace

MStatus placementTargets(const std::string& command, const std::vector<std::string>& names,
                         std::vector<PlacementTarget>& out) {
    MSelectionList list;
    MStatus status = objectsNamed(names, list);
    if (!status) return status;
    if (list.isEmpty()) return script::commandError(command + ": No object was given or selected.");
    for (const MSelectionList::Item& item : list.items()) {
        auto node = nodeOf(item.node);
        PlacementTarget target;
        if (const Component* component = componentOf(item.component)) {
            target.shape = std::dynamic_pointer_cast<MeshShape>(node);
            if (target.shape) target.vertices = vertexIndices(target.shape->geometry(), *component);
        } else {
            std::shared_ptr<Node> owner = node;
            if (node->asDag() && node->apiType() != MFn::kTransform)
                owner = node->asDag()->parent();
            target.transform = std::dynamic_pointer_cast<Transform>(owner);
        }
        if (!target.transform && !target.shape)
            return script::commandError(command + ": " + node->name() + " cannot be placed.");
        out.push_back(std::move(target));
    }
    return MS::kSuccess;
}

MMatrix Placer::parentMatrix(const Transform& transform) {
    auto parent = transform.parent();
    return parent ? parent->worldMatrix() : MMatrix();
}

std::vector<double> Placer::positions(const PlacementTarget& target, bool world) {
    std::vector<double> result;
    auto append = [&](const MPoint& p) { result.insert(result.end(), {p.x, p.y, p.z}); };
    if (target.transform) {
        const MMatrix m = world ? target.transform->worldMatrix() : target.transform->localMatrix();
        append(MPoint(m[3][0], m[3][1], m[3][2]));
        return result;
    }
    const MMatrix toWorld = target.shape->worldMatrix();
    for (int v : target.vertices) {
        const MPoint p = toPoint(target.shape->geometry().point(v));
        append(world ? p * toWorld : p);
    }
    return result;
}

void Placer::translateBy(Transform& transform, const MVector& parentOffset) {
    edit_.touchValues(transform);
    const Attribute& translate = *Transform::attributes().translate;
    transform.setTriple(translate, transform.triple(translate) + parentOffset);
    Graph::instance().changed(transform, &translate);
}

void Placer::moveTo(const PlacementTarget& target, const MPoint& point, bool world) {
    if (target.transform) {
        const MMatrix m = world ? target.transform->worldMatrix() : target.transform->localMatrix();
        MVector offset = point - MPoint(m[3][0], m[3][1], m[3][2]);
        if (world) offset = offset * parentMatrix(*target.transform).inverse();
        translateBy(*target.transform, offset);
        return;
    }
    edit_.touchGeometry(*target.shape);
    const MPoint local = world ? point * target.shape->worldMatrix().inverse() : point;
    for (int v : target.vertices)
        target.shape->geometry().setPoint(v, {local.x, local.y, local.z});
    target.shape->geometryEdited();
}

void Placer::moveBy(const PlacementTarget& target, const MVector& offset, bool world) {
    if (target.transform) {
        // Object space moves along the transform's own axes.
        const MVector parentOffset = world ? offset * parentMatrix(*target.transform).inverse()
                                           : offset * target.transform->localMatrix();
        translateBy(*target.transform, parentOffset);
        return;
    }
    edit_.touchGeometry(*target.shape);
    const MVector local = world ? offset * target.shape->worldMatrix().inverse() : offset;
    MeshGeometry& mesh = target.shape->geometry();
    for (int v : target.vertices)
        mesh.setPoint(v, mesh.point(v) + Vec3{local.x, local.y, local.z});
    target.shape->geometryEdited();
}

void Placer::setMatrix(Transform& transform, const MMatrix& matrix, bool world) {
    edit_.touchValues(transform);
    const MMatrix local = world ? matrix * parentMatrix(transform).inverse() : matrix;
    transform.setTransformation(MTransformationMatrix(local));
    for (const auto* a : {&Transform::attributes().translate, &Transform::attributes().rotate,
                          &Transform::attributes().scale})
        Graph::instance().changed(transform, a->get());
}

} // namespace rvhost::commands
