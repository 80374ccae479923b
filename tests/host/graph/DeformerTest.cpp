#include <maya/MDataBlock.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MItGeometry.h>
#include <maya/MPxDeformerNode.h>

#include "graph/Deformers.h"
#include "graph/PluginNodes.h"
#include "mesh/MeshGenerators.h"
#include "mesh/MeshShape.h"
#include "scene/Graph.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

// Lifts every point by `offset`, or copies the points of the mesh on `follow` when that is
// connected (and then fails when the counts differ).
class Lift : public MPxDeformerNode {
public:
    static MObject offset, follow;
    static int deforms;
    static void* creator() { return new Lift; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        offset = numeric.create("offset", "off", MFnNumericData::kDouble, 0.0);
        MFnTypedAttribute typed;
        follow = typed.create("follow", "fol", MFnData::kMesh);
        addAttribute(offset);
        addAttribute(follow);
        attributeAffects(offset, outputGeom);
        attributeAffects(follow, outputGeom);
        return MS::kSuccess;
    }
    MStatus deform(MDataBlock& block, MItGeometry& iter, const MMatrix&, unsigned int) override {
        ++deforms;
        MPointArray points;
        iter.allPositions(points);
        if (MPlug(thisMObject(), follow).isConnected()) {
            MDataHandle source = block.inputValue(follow);
            MItGeometry other(source, true);
            MPointArray theirs;
            other.allPositions(theirs);
            if (theirs.length() != points.length()) return MS::kFailure;
            return iter.setAllPositions(theirs);
        }
        double lift = block.inputValue(offset).asDouble();
        for (unsigned int i = 0; i < points.length(); ++i)
            points[i].y += lift;
        return iter.setAllPositions(points);
    }
};
MObject Lift::offset, Lift::follow;
int Lift::deforms = 0;

class DeformerTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::Scene::instance().clear();
        static const bool registered =
            rvhost::registerPluginNode("lift", MTypeId(0x7f020), Lift::creator, Lift::initialize,
                                       MPxNode::kDeformerNode, "")
                .statusCode() == MS::kSuccess;
        ASSERT_TRUE(registered);
        shape = rvhost::MeshShape::createWithTransform(rvhost::makePlane(2, 2, 1, 1), "pPlane1",
                                                       "pPlane");
        ASSERT_TRUE(shape);
    }

    static float y(const rvhost::MeshShape& mesh, int v) { return mesh.geometry().point(v).y; }

    std::shared_ptr<rvhost::MeshShape> shape;
};

TEST_F(DeformerTest, TheShapeShowsTheDeformedOriginalAndFollowsInputChanges) {
    std::string error;
    auto deformer = rvhost::insertDeformer("lift", "lift1", *shape, &error);
    ASSERT_TRUE(deformer) << error;
    EXPECT_EQ(deformer->apiType(), MFn::kPluginDeformerNode);
    auto original = std::dynamic_pointer_cast<rvhost::MeshShape>(
        rvhost::Scene::instance().find("pPlaneShape1Orig"));
    ASSERT_TRUE(original);
    EXPECT_TRUE(MFnDagNode(original->handle()).isIntermediateObject());
    EXPECT_EQ(original->asDag()->parent(), shape->parent());
    MDagPath path;
    MDagPath::getAPathTo(shape->parent()->handle(), path);
    ASSERT_TRUE(path.extendToShape());
    EXPECT_EQ(path.node(), shape->handle()); // the visible shape, not the original

    MPlug offset = MFnDependencyNode(deformer->handle()).findPlug("offset");
    ASSERT_TRUE(offset.setValue(2.0));
    for (int v = 0; v < 4; ++v) {
        EXPECT_FLOAT_EQ(y(*shape, v), 2.0f);
        EXPECT_FLOAT_EQ(y(*original, v), 0.0f);
    }
    ASSERT_TRUE(offset.setValue(-0.5));
    EXPECT_FLOAT_EQ(y(*shape, 3), -0.5f);

    // Editing the original reaches the shape through the deformer.
    MItGeometry points(original->handle());
    ASSERT_TRUE(points.setPosition(MPoint(5, 1, 5)));
    EXPECT_FLOAT_EQ(shape->geometry().point(0).x, 5.0f);
    EXPECT_FLOAT_EQ(y(*shape, 0), 0.5f);

    EXPECT_FALSE(rvhost::insertDeformer("transform", "", *shape, &error));
    EXPECT_NE(error.find("not a deformer"), std::string::npos);
}

TEST_F(DeformerTest, AFollowedMeshDrivesTheShapeAndAFailedDeformLeavesTheInput) {
    auto parent =
        rvhost::MeshShape::createWithTransform(rvhost::makePlane(2, 2, 1, 1), "parent", "pPlane");
    auto deformer = rvhost::insertDeformer("lift", "", *shape);
    ASSERT_TRUE(deformer);
    EXPECT_EQ(deformer->name(), "lift1");
    auto& graph = rvhost::Graph::instance();
    ASSERT_TRUE(graph.connect({parent.get(), {rvhost::MeshShape::attributes().outMesh.get(), -1}},
                              {deformer.get(), {rvhost::attributeOf(Lift::follow).get(), -1}}));
    MItGeometry parentPoints(parent->handle());
    ASSERT_TRUE(parentPoints.setPosition(MPoint(0, 7, 0)));
    EXPECT_FLOAT_EQ(y(*shape, 0), 7.0f);

    // A parent with another vertex count: the deform fails and the input shows through.
    ASSERT_TRUE(parent->geometry().setMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {3}, {0, 1, 2}).empty());
    parent->geometryEdited();
    EXPECT_FLOAT_EQ(y(*shape, 0), 0.0f);
    EXPECT_EQ(shape->geometry().numVertices(), 4);
}

TEST_F(DeformerTest, DeletingTheDeformerAndUndoingItRestoresTheChain) {
    auto deformer = rvhost::insertDeformer("lift", "", *shape);
    ASSERT_TRUE(deformer);
    MFnDependencyNode(deformer->handle()).findPlug("offset").setValue(1.0);
    auto& scene = rvhost::Scene::instance();
    auto removal = scene.remove(*deformer);
    EXPECT_FALSE(MFnDependencyNode(shape->handle()).findPlug("inMesh").isConnected());
    EXPECT_FLOAT_EQ(y(*shape, 0), 1.0f); // keeps the last geometry it received
    scene.restore(removal);
    ASSERT_TRUE(MFnDependencyNode(deformer->handle()).findPlug("offset").setValue(3.0));
    EXPECT_FLOAT_EQ(y(*shape, 0), 3.0f);
}

} // namespace
