#include <maya/MDataBlock.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MPlug.h>

#include "scene/Graph.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

// The n-th connected element of an array plug is found by physical position among the
// connected ones, whatever its logical index; its value comes through the data block.
TEST(ConnectionTest, ConnectionByPhysicalIndexCountsOnlyConnectedElements) {
    rvhost::Scene& scene = rvhost::Scene::instance();
    scene.clear();
    auto typed = [](const char* name, bool array) {
        MFnTypedAttribute fn;
        MObject attr = fn.create(name, name, MFnData::kIntArray);
        fn.setArray(array);
        return attr;
    };
    auto target = scene.create("transform", "target");
    MFnDependencyNode targetFn(target->handle());
    ASSERT_TRUE(targetFn.addAttribute(typed("matched", true)));
    MPlug matched = targetFn.findPlug("matched");

    std::vector<std::shared_ptr<rvhost::Node>> sources;
    for (int i = 0; i < 2; ++i) {
        auto source = scene.create("transform", "source" + std::to_string(i));
        MFnDependencyNode sourceFn(source->handle());
        sourceFn.addAttribute(typed("ids", false));
        MIntArray ids;
        ids.append(10 * i);
        ids.append(10 * i + 1);
        MFnIntArrayData data;
        ASSERT_TRUE(sourceFn.findPlug("ids").setValue(data.create(ids)));
        sources.push_back(source);
    }
    auto ref = [](const MPlug& p) {
        return rvhost::PlugRef{rvhost::nodeOf(p.node()).get(),
                               {rvhost::attributeOf(p.attribute()).get(), p.index()}};
    };
    auto& graph = rvhost::Graph::instance();
    MPlug ids1 = MFnDependencyNode(sources[1]->handle()).findPlug("ids");
    MPlug ids0 = MFnDependencyNode(sources[0]->handle()).findPlug("ids");
    ASSERT_TRUE(graph.connect(ref(ids1), ref(matched.elementByLogicalIndex(5))));
    ASSERT_TRUE(graph.connect(ref(ids0), ref(matched.elementByLogicalIndex(8))));
    MFnIntArrayData unconnected;
    ASSERT_TRUE(matched.elementByLogicalIndex(2).setValue(unconnected.create()));

    EXPECT_EQ(matched.numElements(), 3u);
    EXPECT_EQ(matched.numConnectedElements(), 2u);
    MPlug first = matched.connectionByPhysicalIndex(0);
    EXPECT_EQ(first.logicalIndex(), 5u);
    EXPECT_EQ(matched.connectionByPhysicalIndex(1).logicalIndex(), 8u);
    MStatus status;
    EXPECT_TRUE(matched.connectionByPhysicalIndex(2, &status).isNull());
    EXPECT_FALSE(status);
    EXPECT_FALSE(matched.connectionByPhysicalIndex(2).isConnected());

    MDataBlock block(*target);
    MDataHandle handle = block.inputValue(first, &status);
    ASSERT_TRUE(status);
    MIntArray received = MFnIntArrayData(handle.data()).array();
    ASSERT_EQ(received.length(), 2u);
    EXPECT_EQ(received[0], 10);
    EXPECT_EQ(received[1], 11);
    scene.clear();
}

} // namespace
