#include "PluginsFixture.h"

#include <maya/MFnPlugin.h>

#include "plugins/PluginManager.h"
#include "plugins/UndoQueue.h"
#include "scene/Scene.h"
#include "script/CommandTable.h"
#include "tools/ContextRegistry.h"

#include <cstdlib>
#include <string>

namespace {

const std::string kPluginDir = RVT_PLUGIN_DIR;

bool commandExists(const std::string& name) {
    return rvhost::script::CommandTable::instance().contains(name);
}

class PluginLoadingTest : public PluginsTest {
protected:
    ~PluginLoadingTest() override {
        for (const std::string& name : rvhost::PluginManager::instance().names())
            rvhost::PluginManager::instance().unload(name);
    }
    MStatus load(const std::string& what) { return run("loadPlugin \"" + what + "\";"); }
};

TEST_F(PluginLoadingTest, LoadsByPathOrByNameOnTheSearchPath) {
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin.so")) << err();
    EXPECT_EQ(intOf("pluginInfo -q -loaded CommandsPlugin"), 1);
    EXPECT_EQ(value("pluginInfo -q -version CommandsPlugin").asString(), "2.5");
    EXPECT_EQ(value("pluginInfo -q -vendor CommandsPlugin").asString(), "Test Vendor");
    EXPECT_EQ(value("unloadPlugin CommandsPlugin").asStringArray(),
              std::vector<std::string>{"CommandsPlugin"});
    EXPECT_EQ(intOf("pluginInfo -q -loaded CommandsPlugin"), 0);

    setenv("RVHOST_PLUGIN_PATH", ("/nonexistent:" + kPluginDir).c_str(), 1);
    const Value loaded = value("loadPlugin CommandsPlugin");
    unsetenv("RVHOST_PLUGIN_PATH");
    EXPECT_EQ(loaded.asStringArray(), std::vector<std::string>{"CommandsPlugin"});
    MFnPlugin plugin(MFnPlugin::findPlugin("CommandsPlugin.so"));
    EXPECT_EQ(plugin.loadPath(), MString(kPluginDir));
    EXPECT_EQ(plugin.name(), "CommandsPlugin");
    EXPECT_TRUE(load("CommandsPlugin")) << "loading a loaded plug-in again does nothing";
    EXPECT_FALSE(load("NoSuchPlugin"));
    EXPECT_NE(err().find("Plug-in not found: NoSuchPlugin"), std::string::npos) << err();
}

TEST_F(PluginLoadingTest, CommandsRunWithRawArgumentsOrTheirSyntax) {
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin")) << err();
    EXPECT_EQ(value("string $pair[] = {\"a\", \"b\"}; rvtEcho -w 2 $pair").asStringArray(),
              (std::vector<std::string>{"-w", "2", "a", "b"}));
    EXPECT_EQ(intOf("rvtBump -a 2 -amount 3"), 5);
    EXPECT_FALSE(run("rvtBump -a;"));
    EXPECT_NE(err().find("rvtBump: Flag -a needs an argument"), std::string::npos) << err();
    EXPECT_FALSE(run("rvtBump -b 1;"));
    EXPECT_NE(err().find("rvtBump: Invalid flag: -b"), std::string::npos) << err();
    EXPECT_EQ(intOf("rvtCounter"), 5) << "a command that fails to parse is not run";
}

TEST_F(PluginLoadingTest, UndoableCommandsAndFinalisedToolCommandsEnterTheQueue) {
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin.so")) << err();
    value("rvtBump -a 4");
    value("rvtCounter");
    EXPECT_EQ(rvhost::UndoQueue::instance().undoCount(), 1u) << "rvtCounter is not undoable";
    const std::string context = value("rvtContext").asString();
    EXPECT_EQ(context, "rvtContext1");
    value("rvtStroke");
    EXPECT_EQ(intOf("rvtCounter"), 14);
    EXPECT_EQ(rvhost::UndoQueue::instance().undoName(), "rvtToolCmd");
    value("undo");
    EXPECT_EQ(intOf("rvtCounter"), 4);
    value("undo");
    EXPECT_EQ(intOf("rvtCounter"), 0);
    value("redo");
    value("redo");
    EXPECT_EQ(intOf("rvtCounter"), 14);
    value("rvtBump");
    EXPECT_EQ(intOf("rvtCounter"), 15);
    EXPECT_EQ(rvhost::UndoQueue::instance().redoCount(), 0u);
}

TEST_F(PluginLoadingTest, ContextCommandsCreateEditAndQueryTheirContexts) {
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin.so")) << err();
    EXPECT_EQ(value("rvtContext -value 3 myTool").asString(), "myTool");
    EXPECT_TRUE(rvhost::ContextRegistry::instance().find("myTool"));
    EXPECT_EQ(intOf("rvtContext -q -value myTool"), 3);
    value("rvtContext -e -v 8 myTool");
    EXPECT_EQ(intOf("rvtContext -q -v myTool"), 8);
    EXPECT_FALSE(run("rvtContext -e -v 1 nobody;"));
    EXPECT_NE(err().find("the last argument must name a context made by rvtContext"),
              std::string::npos)
        << err();
    EXPECT_FALSE(run("rvtContext myTool;"));
    value("unloadPlugin CommandsPlugin");
    EXPECT_FALSE(rvhost::ContextRegistry::instance().find("myTool"))
        << "the plug-in's contexts go with it";
}

TEST_F(PluginLoadingTest, UnloadingTakesBackEverythingAndRunsTheBatchInterface) {
    value("global proc rvtUiCreateBatch() { optionVar -iv rvtUiState 1; }");
    value("global proc rvtUiDeleteBatch() { optionVar -iv rvtUiState 2; }");
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin.so")) << err();
    EXPECT_EQ(intOf("optionVar -q rvtUiState"), 1);
    value("rvtBump");
    EXPECT_TRUE(commandExists("rvtToolCmd"));
    value("unloadPlugin CommandsPlugin");
    EXPECT_EQ(intOf("optionVar -q rvtUiState"), 2);
    for (const char* name : {"rvtEcho", "rvtBump", "rvtCounter", "rvtContext", "rvtToolCmd"})
        EXPECT_FALSE(commandExists(name)) << name;
    EXPECT_EQ(rvhost::UndoQueue::instance().undoCount(), 0u)
        << "steps holding the plug-in's code are flushed";
    EXPECT_FALSE(MFnPlugin::isNodeRegistered("rvtNode"));
    EXPECT_FALSE(run("unloadPlugin CommandsPlugin;"));
}

TEST_F(PluginLoadingTest, NodesOfAPluginTypeInTheSceneKeepItLoadedUnlessForced) {
    ASSERT_TRUE(load(kPluginDir + "/CommandsPlugin.so")) << err();
    ASSERT_TRUE(MFnPlugin::isNodeRegistered("rvtNode"));
    EXPECT_EQ(value("pluginInfo -q -dependNode CommandsPlugin").asStringArray(),
              std::vector<std::string>{"rvtNode"});
    auto node = rvhost::Scene::instance().create("rvtNode", "probe");
    ASSERT_TRUE(node) << rvhost::Scene::instance().lastError();
    ASSERT_NE(node->userNode(), nullptr);
    node.reset();
    EXPECT_FALSE(run("unloadPlugin CommandsPlugin;"));
    EXPECT_NE(err().find("Plug-in CommandsPlugin is in use: 1 of its nodes are in the scene"),
              std::string::npos)
        << err();
    EXPECT_EQ(intOf("pluginInfo -q -loaded CommandsPlugin"), 1);
    value("unloadPlugin -force CommandsPlugin");
    EXPECT_FALSE(rvhost::Scene::instance().find("probe"));
    EXPECT_EQ(intOf("pluginInfo -q -loaded CommandsPlugin"), 0);
}

TEST_F(PluginLoadingTest, AFailedInitialisationLeavesNothingRegistered) {
    EXPECT_FALSE(load(kPluginDir + "/FailingPlugin.so"));
    EXPECT_NE(err().find("initializePlugin function failed (FailingPlugin)"), std::string::npos)
        << err();
    for (const char* name : {"rvtHalfCmd", "rvtHalfContext", "rvtHalfTool"})
        EXPECT_FALSE(commandExists(name)) << name;
    EXPECT_FALSE(MFnPlugin::isNodeRegistered("rvtHalfNode"));
    EXPECT_EQ(intOf("pluginInfo -q -loaded FailingPlugin"), 0);
}

TEST_F(PluginLoadingTest, APluginForAnotherApiIsRefusedBeforeItRuns) {
    EXPECT_FALSE(load(kPluginDir + "/OldApiPlugin.so"));
    EXPECT_NE(err().find("built for API version 199901"), std::string::npos) << err();
    EXPECT_FALSE(commandExists("rvtOldCmd"));
    EXPECT_EQ(intOf("pluginInfo -q -loaded OldApiPlugin"), 0);
}

} // namespace
