#include <maya/MFnDagNode.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "SceneFixture.h"
#include "scene/Graph.h"

using DeleteTest = SceneTest;

TEST_F(DeleteTest, DeletedNodesLeaveTheModelButLiveWhileHeld) {
    auto top = make("transform", "top");
    auto shape = make("testShape", "topShape", top->asDag());
    MObject held = shape->handle();
    std::weak_ptr<rvhost::Node> watch = top;
    auto removal = scene.remove(*top);
    EXPECT_EQ(removal.entries.size(), 2u);
    MFnDagNode fn(held);
    EXPECT_FALSE(fn.inModel());
    EXPECT_EQ(scene.find("top"), nullptr);
    EXPECT_EQ(scene.find("topShape"), nullptr);
    EXPECT_TRUE(scene.nodes().empty());
    EXPECT_TRUE(scene.world().children().empty());
    EXPECT_FALSE(MDagPath::of(std::static_pointer_cast<rvhost::DagNode>(shape)).isValid());
    // A second delete of an out-of-model node does nothing.
    EXPECT_TRUE(scene.remove(*top).empty());
    top.reset();
    EXPECT_FALSE(watch.expired()); // the removal record holds it for undo
    removal = {};
    EXPECT_TRUE(watch.expired()); // children do not own their parents
    EXPECT_EQ(fn.name(), MString("topShape"));
    EXPECT_FALSE(fn.inModel());
}

TEST_F(DeleteTest, RestorePutsNodesBackInPlaceWithConnections) {
    auto a = make("transform", "a");
    auto b = make("transform", "b");
    auto c = make("transform", "c");
    auto& graph = rvhost::Graph::instance();
    auto tx = [](const std::shared_ptr<rvhost::Node>& n) {
        return rvhost::PlugRef{n.get(), {n->findAttribute("tx").get(), -1}};
    };
    ASSERT_TRUE(graph.connect(tx(a), tx(b)));
    auto removal = scene.remove(*b);
    EXPECT_TRUE(graph.connectionsOf(*a).empty());
    make("transform", "b"); // takes the name meanwhile
    scene.restore(removal);
    EXPECT_TRUE(b->inModel());
    EXPECT_EQ(b->name(), "b1");
    EXPECT_EQ(scene.world().children()[1], b); // back between a and c
    ASSERT_EQ(graph.connectionsOf(*b).size(), 1u);
    ASSERT_TRUE(MPlug(a->handle(), a->findAttribute("tx")->handle()).setValue(3.0));
    EXPECT_DOUBLE_EQ(MPlug(b->handle(), b->findAttribute("tx")->handle()).asDouble(), 3.0);
}

TEST_F(DeleteTest, SelectionByNameFindsTransformsShapesPatternsAndComponents) {
    auto plane = make("transform", "pPlane1");
    make("testShape", "pPlaneShape1", plane->asDag());
    make("transform", "pCube1");
    MSelectionList list;
    EXPECT_FALSE(list.add("nothing"));
    ASSERT_TRUE(list.add("pPlaneShape1"));
    ASSERT_TRUE(list.add("|pPlane1"));
    ASSERT_TRUE(list.add("p*1"));
    EXPECT_EQ(list.length(), 3u); // pPlane1 is not listed twice
    MDagPath path;
    ASSERT_TRUE(list.getDagPath(0, path));
    EXPECT_EQ(path.fullPathName(), MString("|pPlane1|pPlaneShape1"));
    MStringArray strings;
    list.getSelectionStrings(strings);
    ASSERT_EQ(strings.length(), 3u);
    EXPECT_EQ(strings[2], MString("pCube1"));

    ASSERT_TRUE(MGlobal::selectByName("pCube1", MGlobal::kReplaceList));
    ASSERT_TRUE(MGlobal::selectByName("pPlane1"));
    MSelectionList active;
    MGlobal::getActiveSelectionList(active);
    EXPECT_EQ(active.length(), 2u);
    scene.remove(*scene.find("pCube1"));
    MGlobal::getActiveSelectionList(active);
    ASSERT_EQ(active.length(), 1u); // deleted objects drop out
    MSelectionList byName;
    ASSERT_TRUE(MGlobal::getSelectionListByName("pPlane1", byName));
    MObject node;
    byName.getDependNode(0, node);
    EXPECT_EQ(node, plane->handle());
    MGlobal::setActiveSelectionList(byName, MGlobal::kRemoveFromList);
    MGlobal::getActiveSelectionList(active);
    EXPECT_TRUE(active.isEmpty());
}
