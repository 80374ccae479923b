#include <maya/MPxDeformerNode.h>

#include "graph/DataHandles.h"
#include "graph/NodeStatics.h"
#include "scene/DagNode.h"
#include "scene/Data.h"
#include "scene/Graph.h"

MObject MPxDeformerNode::input;
MObject MPxDeformerNode::inputGeom;
MObject MPxDeformerNode::groupId;
MObject MPxDeformerNode::outputGeom;
MObject MPxDeformerNode::envelope;

namespace rvhost {

const std::vector<std::shared_ptr<Attribute>>& deformerBaseAttributes() {
    static const std::vector<std::shared_ptr<Attribute>> attributes = [] {
        using K = Attribute::Kind;
        auto in = makeAttribute("input", "ip", K::Compound);
        in->array = true;
        auto geometry = makeAttribute("inputGeometry", "ig", K::Generic);
        auto group = makeAttribute("groupId", "gi", K::Int);
        in->addChild(geometry);
        in->addChild(group);
        auto out = makeAttribute("outputGeometry", "og", K::Generic);
        out->array = true;
        out->writable = false;
        out->storable = false;
        auto env = makeAttribute("envelope", "en", K::Float);
        env->defaultNumber = 1.0;
        env->keyable = true;
        MPxDeformerNode::input = in->handle();
        MPxDeformerNode::inputGeom = geometry->handle();
        MPxDeformerNode::groupId = group->handle();
        MPxDeformerNode::outputGeom = out->handle();
        MPxDeformerNode::envelope = env->handle();
        Graph& graph = Graph::instance();
        for (const Attribute* when : {in.get(), geometry.get(), group.get(), env.get()})
            graph.addAffects(when, out.get());
        return std::vector<std::shared_ptr<Attribute>>{in, out, env};
    }();
    return attributes;
}

namespace {
// The world matrix of the shape an output element feeds, or the identity.
MMatrix outputWorldMatrix(Node& node, const Attribute* output, int index) {
    for (const PlugRef& to : Graph::instance().destinations({&node, {output, index}}))
        if (const DagNode* dag = to.node->asDag()) return dag->worldMatrix();
    return MMatrix();
}
} // namespace

} // namespace rvhost

MPxDeformerNode::~MPxDeformerNode() = default;

MStatus MPxDeformerNode::deform(MDataBlock&, MItGeometry&, const MMatrix&, unsigned int) {
    return MS::kSuccess;
}

// Every element at once: the graph keeps one dirty flag for the whole output array.
MStatus MPxDeformerNode::compute(const MPlug& plug, MDataBlock& dataBlock) {
    rvhost::Node* node = hostNode();
    auto output = rvhost::attributeOf(outputGeom);
    if (!node || plug.attribute() != outputGeom) return MS::kUnknownParameter;
    auto geometry = rvhost::attributeOf(inputGeom);
    for (int index : node->elements(*rvhost::attributeOf(input))) {
        MDataHandle in = rvhost::makeHandle(*node, geometry.get(), index, false);
        auto data = std::dynamic_pointer_cast<rvhost::Data>(in.data().object());
        if (!data) {
            node->store({output.get(), index}, rvhost::PlugValue());
            continue;
        }
        MObject result(data->clone());
        MDataHandle out(node, output.get(), index, true);
        out.load(0.0, MString(), result);
        MItGeometry iter(out, false);
        MMatrix matrix = rvhost::outputWorldMatrix(*node, output.get(), index);
        if (!deform(dataBlock, iter, matrix, static_cast<unsigned int>(index)))
            result = MObject(data->clone()); // a failed deform leaves the input as it was
        node->store({output.get(), index}, result);
    }
    rvhost::Graph::instance().setClean(*node, output.get());
    return MS::kSuccess;
}
