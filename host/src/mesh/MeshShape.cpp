#include "mesh/MeshShape.h"

#include <maya/MPoint.h>

#include "mesh/MeshData.h"
#include "scene/Graph.h"
#include "scene/NodeTypes.h"
#include "scene/Scene.h"

#include <cassert>
#include <cctype>

namespace rvhost {

namespace {

const bool kRegistered = (MeshShape::registerType(), true);

// "pPlane2" -> "pPlaneShape2", "ball" -> "ballShape".
std::string shapeNameFor(const std::string& transformName) {
    size_t digits = transformName.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(transformName[digits - 1])))
        --digits;
    return transformName.substr(0, digits) + "Shape" + transformName.substr(digits);
}

} // namespace

const MeshShape::Attributes& MeshShape::attributes() {
    static const Attributes attributes = [] {
        using K = Attribute::Kind;
        Attributes a;
        a.inMesh = makeAttribute("inMesh", "i", K::Mesh);
        a.inMesh->storable = true;
        a.outMesh = makeAttribute("outMesh", "o", K::Mesh);
        a.outMesh->writable = true;
        a.outMesh->storable = false;
        a.worldMesh = makeAttribute("worldMesh", "w", K::Mesh);
        a.worldMesh->writable = false;
        a.worldMesh->storable = false;
        a.worldMesh->array = true;
        a.intermediateObject = makeAttribute("intermediateObject", "io", K::Bool);
        return a;
    }();
    return attributes;
}

void MeshShape::registerType() {
    if (NodeTypes::instance().find("mesh")) return;
    NodeType type;
    type.name = "mesh";
    type.defaultName = "polySurfaceShape";
    type.make = [] { return std::make_shared<MeshShape>(); };
    type.dag = true;
    NodeTypes::instance().add(std::move(type));
    const Attributes& a = attributes();
    Graph::instance().addAffects(a.inMesh.get(), a.outMesh.get());
    Graph::instance().addAffects(a.inMesh.get(), a.worldMesh.get());
}

MeshShape::MeshShape() : DagNode("mesh", MFn::kMesh) {
    (void)kRegistered;
    const Attributes& a = attributes();
    for (const auto* attribute : {&a.inMesh, &a.outMesh, &a.worldMesh, &a.intermediateObject})
        addAttribute(*attribute, false);
}

int MeshShape::componentCount(MFn::Type type) const {
    switch (type) {
    case MFn::kMeshVertComponent:
        return geometry_.numVertices();
    case MFn::kMeshEdgeComponent:
        return geometry_.numEdges();
    case MFn::kMeshPolygonComponent:
        return geometry_.numPolygons();
    default:
        return -1;
    }
}

void MeshShape::geometryEdited() {
    const Attributes& a = attributes();
    Graph::instance().changed(*this, a.outMesh.get());
    Graph::instance().changed(*this, a.worldMesh.get());
}

void MeshShape::geometryEditedLater() {
    const Attributes& a = attributes();
    Graph& graph = Graph::instance();
    graph.changedLater(*this, a.outMesh.get());
    graph.changedLater(*this, a.worldMesh.get());
}

bool MeshShape::readHook(const PlugId& plug, PlugValue& value) const {
    const Attributes& a = attributes();
    if (plug.attribute == a.outMesh.get()) {
        value = MObject(std::make_shared<MeshData>(geometry_));
        return true;
    }
    if (plug.attribute == a.worldMesh.get()) {
        value = MObject(std::make_shared<MeshData>(worldGeometry()));
        return true;
    }
    if (plug.attribute == a.intermediateObject.get()) {
        value = intermediate() ? 1.0 : 0.0;
        return true;
    }
    return false;
}

MeshGeometry MeshShape::worldGeometry() const {
    MeshGeometry world = geometry_;
    const MMatrix m = worldMatrix();
    std::vector<float> xyz = world.points();
    for (size_t i = 0; i < xyz.size(); i += 3) {
        const MPoint p = MPoint(xyz[i], xyz[i + 1], xyz[i + 2]) * m;
        xyz[i] = static_cast<float>(p.x);
        xyz[i + 1] = static_cast<float>(p.y);
        xyz[i + 2] = static_cast<float>(p.z);
    }
    world.setPoints(std::move(xyz));
    return world;
}

bool MeshShape::writeHook(const PlugId& plug, const PlugValue& value) {
    const Attributes& a = attributes();
    if (plug.attribute == a.intermediateObject.get()) {
        if (const double* flag = std::get_if<double>(&value)) setIntermediate(*flag != 0.0);
        return true;
    }
    if (plug.attribute != a.inMesh.get() && plug.attribute != a.outMesh.get()) return false;
    if (const MObject* object = std::get_if<MObject>(&value)) {
        if (auto data = std::dynamic_pointer_cast<MeshData>(object->object()))
            geometry_ = data->geometry;
    }
    // inMesh also keeps what came in, so that a later read of it gives it back.
    return plug.attribute == a.outMesh.get();
}

std::shared_ptr<MeshShape> MeshShape::createWithTransform(MeshGeometry geometry,
                                                          const std::string& name,
                                                          const std::string& defaultBase,
                                                          std::string* error) {
    Scene& scene = Scene::instance();
    auto transform = scene.create("transform", name.empty() ? defaultBase + "1" : name);
    if (!transform) {
        if (error) *error = scene.lastError();
        return nullptr;
    }
    auto shape = createUnder(std::move(geometry), *transform->asDag(), error);
    if (!shape) scene.remove(*transform);
    return shape;
}

std::shared_ptr<MeshShape> MeshShape::createUnder(MeshGeometry geometry, DagNode& transform,
                                                  std::string* error) {
    registerType();
    Scene& scene = Scene::instance();
    auto shape = std::dynamic_pointer_cast<MeshShape>(
        scene.create("mesh", shapeNameFor(transform.name()), &transform));
    if (!shape) {
        if (error) *error = scene.lastError();
        return nullptr;
    }
    shape->geometry_ = std::move(geometry);
    return shape;
}

std::shared_ptr<MeshShape> meshShapeOf(const MObject& object) {
    // Only mesh shapes report kMesh (see the constructor), so the type tells what a dynamic
    // cast would, at a fraction of its cost: point-at-a-time edits ask once a point.
    const std::shared_ptr<Object>& o = object.object();
    if (!o || o->apiType() != MFn::kMesh) return nullptr;
    assert(dynamic_cast<MeshShape*>(o.get()));
    return std::static_pointer_cast<MeshShape>(o);
}

MeshGeometry* geometryOf(const MObject& object) {
    if (auto shape = meshShapeOf(object)) return &shape->geometry();
    if (auto data = std::dynamic_pointer_cast<MeshData>(object.object())) return &data->geometry;
    return nullptr;
}

} // namespace rvhost
