#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MPlug.h>

#include "SceneFixture.h"
#include "scene/Graph.h"

#include <cmath>

using FunctionSetTest = SceneTest;

TEST_F(FunctionSetTest, SetsRefuseObjectsOfTheWrongKind) {
    auto script = make("script", "notes");
    MStatus status;
    MFnDagNode dag(script->handle(), &status);
    EXPECT_FALSE(status); // a script node is not a DAG node
    EXPECT_FALSE(dag.inModel());
    EXPECT_EQ(dag.fullPathName(&status), MString());
    EXPECT_FALSE(status);
    MFnDependencyNode fn(script->handle(), &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(fn.typeName(), MString("script"));
    EXPECT_EQ(fn.userNode(&status), nullptr);
    EXPECT_FALSE(status); // not a plug-in node
    EXPECT_EQ(fn.attributeClass(fn.attribute("before")), MFnDependencyNode::kNormalAttr);
    EXPECT_FALSE(fn.findPlug("b").isNull());
    MFnTransform transform(script->handle(), &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(transform.setTranslation(MVector(1, 0, 0), MSpace::kTransform));
}

TEST_F(FunctionSetTest, DagCreationReturnsTheTransformMadeForAShape) {
    MFnDagNode fn;
    MStatus status;
    MObject made = fn.create("testShape", "thingShape", MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(made.apiType(), MFn::kTransform);
    EXPECT_EQ(fn.childCount(), 1u);
    MFnDagNode shape(fn.child(0));
    EXPECT_EQ(shape.name(), MString("thingShape"));
    EXPECT_EQ(shape.parentCount(), 1u);

    MObject under = fn.create("testShape", "second", made, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(MFnDagNode(under).fullPathName(), MString("|transform1|second"));
    MObject script = make("script", "notes")->handle();
    EXPECT_TRUE(fn.create("testShape", "bad", script, &status).isNull()); // no DAG parent
    EXPECT_FALSE(status);

    MFnTransform t;
    MObject loose = t.create();
    MFnDagNode(made).addChild(loose);
    EXPECT_EQ(MFnDagNode(loose).fullPathName(), MString("|transform1|transform2"));
}

TEST_F(FunctionSetTest, TransformPartsRoundTripThroughTheSet) {
    MFnTransform t(make("transform", "t")->handle());
    ASSERT_TRUE(t.translateBy(MVector(1, 2, 3), MSpace::kTransform));
    ASSERT_TRUE(t.translateBy(MVector(1, 0, 0), MSpace::kObject));
    EXPECT_DOUBLE_EQ(t.getTranslation(MSpace::kTransform).x, 2.0);
    ASSERT_TRUE(t.setRotation(MEulerRotation(0.1, 0.2, 0.3)));
    MEulerRotation r;
    t.getRotation(r);
    EXPECT_NEAR(r.x, 0.1, 1e-12);
    EXPECT_NEAR(r.z, 0.3, 1e-12);
    const double scale[3] = {1, 2, 3};
    t.setScale(scale);
    double back[3];
    t.getScale(back);
    EXPECT_DOUBLE_EQ(back[2], 3.0);
    // Setting the whole transformation back gives the same matrix.
    MTransformationMatrix whole = t.transformation();
    MMatrix before = t.transformationMatrix();
    ASSERT_TRUE(t.set(MTransformationMatrix()));
    EXPECT_TRUE(t.transformationMatrix().isEquivalent(MMatrix()));
    ASSERT_TRUE(t.set(whole));
    EXPECT_TRUE(t.transformationMatrix().isEquivalent(before, 1e-12));
}

TEST_F(FunctionSetTest, CompoundConnectionsFeedEachChild) {
    auto a = make("transform", "a");
    auto b = make("transform", "b");
    MPlug from = MFnDependencyNode(a->handle()).findPlug("translate");
    MPlug to = MFnDependencyNode(b->handle()).findPlug("translate");
    auto ref = [](const MPlug& p) {
        return rvhost::PlugRef{rvhost::nodeOf(p.node()).get(),
                               {rvhost::attributeOf(p.attribute()).get(), p.index()}};
    };
    ASSERT_TRUE(rvhost::Graph::instance().connect(ref(from), ref(to)));
    from.child(2).setValue(4.0);
    EXPECT_DOUBLE_EQ(to.child(2).asDouble(), 4.0);
    EXPECT_TRUE(to.child(2).isDestination());
    EXPECT_FALSE(to.child(2).setValue(1.0)); // driven through its parent
    // The driven channels move the node.
    MPoint origin =
        MPoint() * MDagPath::of(std::static_pointer_cast<rvhost::DagNode>(b)).inclusiveMatrix();
    EXPECT_DOUBLE_EQ(origin.z, 4.0);
}

TEST_F(FunctionSetTest, RestoringUnderADeletedParentFallsBackToTheWorld) {
    auto top = make("transform", "top");
    auto child = make("transform", "child", top->asDag());
    auto removedChild = scene.remove(*child);
    scene.remove(*top);
    scene.restore(removedChild);
    EXPECT_EQ(child->asDag()->fullPathName(), "|child");
    EXPECT_EQ(scene.find("child"), child);
    scene.clear();
    EXPECT_TRUE(scene.nodes().empty());
    EXPECT_FALSE(child->inModel());
}
