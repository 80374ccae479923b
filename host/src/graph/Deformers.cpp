#include "graph/Deformers.h"

#include <maya/MPxNode.h>

#include "mesh/MeshShape.h"
#include "scene/Graph.h"
#include "scene/NodeTypes.h"
#include "scene/Scene.h"

namespace rvhost {

namespace {
PlugRef plugOf(Node& node, const std::string& attribute, int index = -1) {
    return {&node, {node.findAttribute(attribute).get(), index}};
}

// The intermediate copy of the shape's geometry that feeds the deformer.
std::shared_ptr<Node> makeOriginal(MeshShape& shape, DagNode& transform, std::string* error) {
    Scene& scene = Scene::instance();
    MStatus status;
    auto original = scene.create("mesh", shape.name() + "Orig", &transform, &status);
    auto mesh = std::dynamic_pointer_cast<MeshShape>(original);
    if (!mesh) {
        if (error) *error = scene.lastError();
        if (original) scene.remove(*original);
        return nullptr;
    }
    mesh->geometry() = shape.geometry();
    mesh->setIntermediate(true);
    return original;
}
} // namespace

std::shared_ptr<Node> insertDeformer(const std::string& typeName, const std::string& name,
                                     DagNode& meshShape, std::string* error) {
    auto fail = [&](const std::string& why) -> std::shared_ptr<Node> {
        if (error) *error = why;
        return nullptr;
    };
    const NodeType* type = NodeTypes::instance().find(typeName);
    if (!type || type->pluginKind != MPxNode::kDeformerNode)
        return fail("'" + typeName + "' is not a deformer type.");
    auto* shape = dynamic_cast<MeshShape*>(&meshShape);
    auto transform = meshShape.parent();
    if (!shape || !shape->inModel() || !transform || transform->isWorld())
        return fail("'" + meshShape.name() + "' is not a mesh shape in the scene.");

    Scene& scene = Scene::instance();
    Graph& graph = Graph::instance();
    MStatus status;
    auto deformer = scene.create(typeName, name, nullptr, &status);
    if (!deformer) return fail(scene.lastError());

    PlugRef inMesh = plugOf(*shape, "inMesh");
    PlugRef feed;
    std::shared_ptr<Node> original;
    if (graph.source(inMesh, feed)) {
        graph.disconnect(feed, inMesh);
    } else {
        original = makeOriginal(*shape, *transform, error);
        if (!original) {
            scene.remove(*deformer);
            return nullptr;
        }
        feed = plugOf(*original, "outMesh");
    }
    graph.connect(feed, plugOf(*deformer, "inputGeometry", 0));
    graph.connect(plugOf(*deformer, "outputGeometry", 0), inMesh);
    return deformer;
}

} // namespace rvhost
