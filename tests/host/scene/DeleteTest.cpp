#include <maya/MFnDagNode.h>

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
