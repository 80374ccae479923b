#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnTransform.h>
#include <maya/MPoint.h>

#include "SceneFixture.h"
#include "scene/Transform.h"

#include <cmath>

using DagTest = SceneTest;

TEST_F(DagTest, ShapesMadeWithoutParentGetATransformAndPathsNameThem) {
    auto shape = make("testShape", "ballShape");
    MDagPath path;
    ASSERT_TRUE(MDagPath::getAPathTo(shape->handle(), path));
    EXPECT_EQ(path.fullPathName(), MString("|transform1|ballShape"));
    EXPECT_EQ(path.partialPathName(), MString("ballShape"));
    EXPECT_EQ(path.length(), 2u);
    EXPECT_TRUE(path.hasFn(MFn::kShape));
    EXPECT_TRUE(path.hasFn(MFn::kDagNode));
    EXPECT_FALSE(path.hasFn(MFn::kTransform));
    EXPECT_EQ(path.transform().apiType(), MFn::kTransform);
    ASSERT_TRUE(path.pop());
    EXPECT_EQ(path.fullPathName(), MString("|transform1"));
    EXPECT_EQ(scene.find("|transform1|ballShape"), shape);
    EXPECT_EQ(scene.find("transform1|ballShape"), shape);
    EXPECT_EQ(scene.find("|ballShape"), nullptr);
}

TEST_F(DagTest, ExtendToShapePicksTheOnlyShapeOrTheOnlyOneNotIntermediate) {
    auto top = make("transform", "top");
    auto orig = make("testShape", "topShapeOrig", top->asDag());
    MDagPath path = MDagPath::of(std::static_pointer_cast<rvhost::DagNode>(top));
    unsigned int count = 0;
    path.numberOfShapesDirectlyBelow(count);
    EXPECT_EQ(count, 1u);
    MDagPath one = path;
    ASSERT_TRUE(one.extendToShape());
    EXPECT_EQ(one.partialPathName(), MString("topShapeOrig"));

    auto shape = make("testShape", "topShape", top->asDag());
    MDagPath two = path;
    EXPECT_FALSE(two.extendToShape());
    MFnDagNode(orig->handle()).setIntermediateObject(true);
    ASSERT_TRUE(two.extendToShape());
    EXPECT_EQ(two.node(), shape->handle());
    EXPECT_TRUE(two.extendToShape()); // already at a shape
    MDagPath below = path;
    ASSERT_TRUE(below.extendToShapeDirectlyBelow(0));
    EXPECT_EQ(below.node(), orig->handle());
    EXPECT_FALSE(path.extendToShapeDirectlyBelow(2));
}

TEST_F(DagTest, PushPopAndChildrenFollowTheHierarchy) {
    auto a = make("transform", "a");
    auto b = make("transform", "b", a->asDag());
    MDagPath path;
    EXPECT_EQ(path.length(), 0u);
    EXPECT_FALSE(path.push(b->handle())); // b is not a child of the world
    ASSERT_TRUE(path.push(a->handle()));
    EXPECT_EQ(path.childCount(), 1u);
    ASSERT_TRUE(path.push(path.child(0)));
    EXPECT_EQ(path.fullPathName(), MString("|a|b"));
    EXPECT_FALSE(path.pop(3));
    EXPECT_TRUE(path == MDagPath::of(std::static_pointer_cast<rvhost::DagNode>(b)));
    MFnDagNode fn(b->handle());
    EXPECT_EQ(fn.parent(0), a->handle());
    EXPECT_EQ(fn.fullPathName(), MString("|a|b"));
    EXPECT_TRUE(fn.parent(1).isNull());
}

// Points are row vectors: p' = p * M. The matrix of a transform moves a point by the scale
// about the scale pivot, then the rotation about the rotate pivot, then the translation.
TEST_F(DagTest, MatricesComposeThroughParentsWithPivots) {
    auto parent = make("transform", "parent");
    auto child = make("transform", "child", parent->asDag());
    auto shape = make("testShape", "childShape", child->asDag());
    MFnTransform p(parent->handle());
    p.setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    const double twice[3] = {2, 2, 2};
    p.setScale(twice);
    MFnTransform c(child->handle());
    c.setTranslation(MVector(0, 1, 0), MSpace::kTransform);
    c.setRotation(MEulerRotation(0, 0, M_PI / 2)); // +90 degrees about z
    c.setRotatePivot(MPoint(1, 0, 0), MSpace::kTransform, false);
    const double scale[3] = {3, 1, 1};
    c.setScale(scale);
    c.setScalePivot(MPoint(1, 0, 0), MSpace::kTransform, false);

    // (2,0,0): scaled about x=1 -> (4,0,0); turned about (1,0,0) -> (1,3,0); moved -> (1,4,0);
    // parent: doubled -> (2,8,0), moved -> (12,8,0).
    MDagPath path = MDagPath::of(std::static_pointer_cast<rvhost::DagNode>(shape));
    MPoint world = MPoint(2, 0, 0) * path.inclusiveMatrix();
    EXPECT_NEAR(world.x, 12, 1e-12);
    EXPECT_NEAR(world.y, 8, 1e-12);
    EXPECT_NEAR(world.z, 0, 1e-12);
    // A shape adds nothing: its exclusive and inclusive matrices agree.
    EXPECT_TRUE(path.exclusiveMatrix().isEquivalent(path.inclusiveMatrix()));
    MPoint back = world * path.inclusiveMatrixInverse();
    EXPECT_NEAR(back.x, 2, 1e-12);
    EXPECT_NEAR(back.y, 0, 1e-12);
    path.pop(2);
    MPoint viaParent = MPoint(1, 4, 0) * path.inclusiveMatrix();
    EXPECT_NEAR(viaParent.x, 12, 1e-12);
    EXPECT_NEAR(viaParent.y, 8, 1e-12);
}

TEST_F(DagTest, BalancedPivotsKeepTheMatrixAndTransformAttributesDriveIt) {
    auto node = make("transform", "t");
    MFnTransform fn(node->handle());
    fn.setRotation(MEulerRotation(0, M_PI / 3, 0));
    fn.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
    MMatrix before = fn.transformationMatrix();
    ASSERT_TRUE(fn.setRotatePivot(MPoint(5, -1, 2), MSpace::kTransform, true));
    EXPECT_TRUE(fn.transformationMatrix().isEquivalent(before, 1e-9));

    // The attributes are what the matrix is made from.
    MPlug tx = MFnDependencyNode(node->handle()).findPlug("tx");
    EXPECT_DOUBLE_EQ(tx.asDouble(), 1.0);
    ASSERT_TRUE(tx.setValue(4.0));
    EXPECT_DOUBLE_EQ(fn.getTranslation(MSpace::kTransform).x, 4.0);
    EXPECT_NEAR(MFnDependencyNode(node->handle()).findPlug("rotateY").asDouble(), M_PI / 3, 1e-12);
    EXPECT_FALSE(fn.setTranslation(MVector(), MSpace::kWorld));
}

TEST_F(DagTest, ReparentRefusesCyclesAndKeepsLocalValues) {
    auto a = make("transform", "a");
    auto b = make("transform", "b", a->asDag());
    EXPECT_FALSE(scene.reparent(*a->asDag(), b->asDag()));
    EXPECT_FALSE(scene.reparent(*a->asDag(), a->asDag()));
    ASSERT_TRUE(scene.reparent(*b->asDag(), nullptr));
    EXPECT_EQ(b->asDag()->fullPathName(), "|b");
    EXPECT_TRUE(a->asDag()->children().empty());
}
