// The texts the plug-in runs through MGlobal::executeCommand, exactly as it builds them,
// against stand-ins for the scene commands.
#include "ScriptFixture.h"

#include "script/UndoChunk.h"

#include <maya/MGlobal.h>
#include <maya/MIntArray.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
std::string publishText(const std::vector<std::pair<std::string, std::string>>& records,
                        const std::vector<bool>& inModel) {
    std::string text = "global string $gRVSculptMeshes[]; clear($gRVSculptMeshes); "
                       "global string $gRVAllCachedMeshes[]; clear($gRVAllCachedMeshes); "
                       "global string $gRVAllCachedGUIDs[]; clear($gRVAllCachedGUIDs); ";
    int k = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string index = std::to_string(i);
        text += "$gRVAllCachedMeshes[" + index + "] = \"" + records[i].first + "\"; ";
        text += "$gRVAllCachedGUIDs[" + index + "] = \"" + records[i].second + "\"; ";
        if (inModel[i])
            text +=
                "$gRVSculptMeshes[" + std::to_string(k++) + "] = \"" + records[i].first + "\"; ";
    }
    return text;
}

std::string heightMapQueryText(int width, int height, int bitDepth, int channels,
                               const std::string& fileName) {
    std::string text = "string $node = \"KVHeightMapUI\"; \n";
    text += "if(!`objExists $node`) { \n scriptNode -st 1 -name $node; \n ";
    text += "addAttr -s true -at short -k false -shortName \"w\" -longName \"width\" $node; \n";
    text += "addAttr -s true -at short -k false -shortName \"h\" -longName \"height\" $node; \n";
    text += "addAttr -s true -at short -k false -shortName \"bd\" -longName \"bitDepth\" $node; \n";
    text += "addAttr -s true -at short -k false -shortName \"ch\" -longName \"channels\" $node; \n";
    text += "addAttr -s true -dt \"string\" -uaf -k false -shortName \"fn\" -longName \"fileName\" "
            "$node;  } \n";
    for (const char* a : {".width", ".height", ".bitDepth", ".channels", ".fileName"})
        text += std::string("setAttr -lock false ($node + \"") + a + "\") ;";
    text += "setAttr ($node + \".width\") " + std::to_string(width) + " ;\n";
    text += "setAttr ($node + \".height\") " + std::to_string(height) + " ;\n";
    text += "setAttr ($node + \".bitDepth\") " + std::to_string(bitDepth) + " ;\n";
    text += "setAttr ($node + \".channels\") " + std::to_string(channels) + " ;\n";
    text += "setAttr ($node + \".fileName\") -type \"string\" \"" + fileName + "\";\n";
    for (const char* a : {".width", ".height", ".bitDepth", ".channels", ".fileName"})
        text += std::string("setAttr -lock true ($node + \"") + a + "\") ;";
    return text;
}
} // namespace

TEST_F(ScriptTest, PublishToScriptsFillsTheThreeGlobalArrays) {
    const std::string guid1 = "6f1c2a9e-0b7d-4c1e-9a43-2d5e8f7a1b10";
    const std::string guid2 = "0a9b8c7d-6e5f-4a3b-2c1d-0e9f8a7b6c5d";
    std::string text = publishText(
        {{"|pPlane1|pPlaneShape1", guid1}, {"|pCube1|pCubeShape1", guid2}}, {true, false});
    MString result;
    ASSERT_TRUE(MGlobal::executeCommand(MString(text.c_str()), result, false, false)) << err();
    ASSERT_TRUE(run("global string $gRVSculptMeshes[]; global string $gRVAllCachedMeshes[];"
                    "global string $gRVAllCachedGUIDs[];"));
    EXPECT_EQ(value("$gRVAllCachedMeshes"),
              Value(std::vector<std::string>{"|pPlane1|pPlaneShape1", "|pCube1|pCubeShape1"}));
    EXPECT_EQ(value("$gRVAllCachedGUIDs"), Value(std::vector<std::string>{guid1, guid2}));
    EXPECT_EQ(value("$gRVSculptMeshes"), Value(std::vector<std::string>{"|pPlane1|pPlaneShape1"}));

    // Publishing again after a removal leaves no stale entries behind.
    ASSERT_TRUE(
        MGlobal::executeCommand(MString(publishText({}, {}).c_str()), result, false, false));
    EXPECT_EQ(
        value("size($gRVAllCachedMeshes) + size($gRVAllCachedGUIDs) + size($gRVSculptMeshes)"),
        Value(0));
    EXPECT_EQ(err(), "");
}

TEST_F(ScriptTest, HeightMapQueryCreatesTheNodeOnceAndSetsItsAttributes) {
    stub("objExists", Value(0));
    stub("scriptNode");
    stub("addAttr");
    stub("setAttr");
    std::string text = heightMapQueryText(640, 480, 16, 1, "C:/maps/hm.tif");
    ASSERT_TRUE(MGlobal::executeCommand(MString(text.c_str()), false, false)) << err();
    EXPECT_EQ(callsOf("objExists"), std::vector<std::string>{"KVHeightMapUI"});
    EXPECT_EQ(callsOf("scriptNode"), std::vector<std::string>{"-st 1 -name KVHeightMapUI"});
    std::vector<std::string> added = callsOf("addAttr");
    ASSERT_EQ(added.size(), 5u);
    EXPECT_EQ(added[0], "-s true -at short -k false -shortName w -longName width KVHeightMapUI");
    EXPECT_EQ(added[4],
              "-s true -dt string -uaf -k false -shortName fn -longName fileName KVHeightMapUI");
    std::vector<std::string> set = callsOf("setAttr");
    ASSERT_EQ(set.size(), 15u);
    EXPECT_EQ(set[0], "-lock false KVHeightMapUI.width");
    EXPECT_EQ(set[5], "KVHeightMapUI.width 640");
    EXPECT_EQ(set[8], "KVHeightMapUI.channels 1");
    EXPECT_EQ(set[9], "KVHeightMapUI.fileName -type string C:/maps/hm.tif");
    EXPECT_EQ(set[14], "-lock true KVHeightMapUI.fileName");
    // The width arrives as a number, as a command parsing its own arguments expects.
    const CommandCall* widthCall = nullptr;
    for (const CommandCall& c : calls_)
        if (c.name == "setAttr" && c.args.size() == 2 && c.args[1].word) widthCall = &c;
    ASSERT_NE(widthCall, nullptr);
    EXPECT_EQ(widthCall->args[1].value.type(), Value::Type::Int);

    // A second query finds the node and only sets the attributes.
    calls_.clear();
    stub("objExists", Value(1));
    ASSERT_TRUE(MGlobal::executeCommand(MString(text.c_str()), false, false)) << err();
    EXPECT_TRUE(callsOf("scriptNode").empty());
    EXPECT_TRUE(callsOf("addAttr").empty());
    EXPECT_EQ(callsOf("setAttr").size(), 15u);
}

TEST_F(ScriptTest, ShelfScriptsAreSourcedFromTheInstallFolder) {
    namespace fs = std::filesystem;
    fs::path install = fs::temp_directory_path() / ("rvhost_install_" + std::to_string(::getpid()));
    fs::create_directories(install / "scripts");
    std::ofstream(install / "scripts" / "TVCreateShelfUI.mel")
        << "global proc TVCreateShelfUI() { print \"shelf made\\n\"; }\n";
    std::ofstream(install / "scripts" / "TVDeleteShelfUI.mel")
        << "global proc TVDeleteShelfUI() { print \"shelf gone\\n\"; }\n";
    MGlobal::setOptionVarValue("TVRVInfo_ProgramInstallPath",
                               MString((install.string() + "/").c_str()));
    const MString shelfScript =
        "string $rvInstallPath = `optionVar -q TVRVInfo_ProgramInstallPath`; "
        "eval(\"source \\\"\" + $rvInstallPath + \"scripts/TVCreateShelfUI.mel\\\"\"); "
        "eval(\"source \\\"\" + $rvInstallPath + \"scripts/TVDeleteShelfUI.mel\\\"\");";
    ASSERT_TRUE(MGlobal::executeCommand(shelfScript, false, false)) << err();
    ASSERT_TRUE(run("TVCreateShelfUI; TVDeleteShelfUI();"));
    EXPECT_EQ(out(), "shelf made\nshelf gone\n");

    // A missing script fails the command, which the plug-in reports.
    fs::remove(install / "scripts" / "TVDeleteShelfUI.mel");
    EXPECT_EQ(MGlobal::executeCommand(shelfScript, false, false), MS::kFailure);
    EXPECT_NE(err().find("TVDeleteShelfUI.mel"), std::string::npos);
    fs::remove_all(install);
    MGlobal::removeOptionVar("TVRVInfo_ProgramInstallPath");
}

TEST_F(ScriptTest, ExecuteCommandConvertsTheLastResult) {
    stub("undoInfo", Value(1));
    int infinite = 0;
    ASSERT_TRUE(MGlobal::executeCommand("undoInfo -q -infinity", infinite));
    EXPECT_EQ(infinite, 1);
    EXPECT_EQ(callsOf("undoInfo"), std::vector<std::string>{"-q -infinity"});
    double d = 0;
    ASSERT_TRUE(MGlobal::executeCommand("1.5 * 3;", d));
    EXPECT_DOUBLE_EQ(d, 4.5);
    MStringArray strings;
    ASSERT_TRUE(MGlobal::executeCommand("string $s[] = {\"a\", \"b\"}; $s;", strings));
    ASSERT_EQ(strings.length(), 2u);
    EXPECT_EQ(strings[1], "b");
    MIntArray ints;
    ASSERT_TRUE(MGlobal::executeCommand("float $n[] = {3, 4.7}; $n;", ints));
    ASSERT_EQ(ints.length(), 2u);
    EXPECT_EQ(ints[1], 4);
    MStatus status;
    EXPECT_EQ(MGlobal::executeCommandStringResult("\"x\" + 1", false, false, &status), "x1");
    EXPECT_TRUE(status);
    int untouched = 7;
    EXPECT_FALSE(MGlobal::executeCommand("nosuch;", untouched));
    EXPECT_EQ(untouched, 7);
}

TEST_F(ScriptTest, PlugInCommandsAndMessages) {
    stub("changeSelectMode");
    ASSERT_TRUE(MGlobal::executeCommand("changeSelectMode -object;"));
    EXPECT_EQ(callsOf("changeSelectMode"), std::vector<std::string>{"-object"});
    ASSERT_TRUE(MGlobal::executeCommand(
        "warning \"Ravelin error: Could not find install path within Regitry, please re-install "
        "Ravelin.\";"));
    ASSERT_TRUE(MGlobal::executeCommand("print \"Ravelin Sculpting Plugin Loaded OK.\\n\";"));
    EXPECT_EQ(out(), "Ravelin Sculpting Plugin Loaded OK.\n");
    EXPECT_EQ(err(), "// Warning: Ravelin error: Could not find install path within Regitry, "
                     "please re-install Ravelin.\n");
    MGlobal::displayError("outside any script");
    EXPECT_NE(err().find("// Error: outside any script\n"), std::string::npos);
    ASSERT_TRUE(MGlobal::executeCommand("print 1;", true));
    EXPECT_NE(out().find("print 1;\n1"), std::string::npos);
    EXPECT_EQ(MGlobal::apiVersion(), 201602);
    EXPECT_EQ(MGlobal::mayaState(), MGlobal::kBatch);
}

TEST_F(ScriptTest, TheUndoFlagDecidesWhetherCommandsAreRecorded) {
    std::vector<bool> seen;
    table().add("probeUndo", [&seen](const CommandCall&, Value&) {
        seen.push_back(rvhost::script::UndoChunk::recording());
        return MStatus(MS::kSuccess);
    });
    ASSERT_TRUE(run("probeUndo;"));
    ASSERT_TRUE(MGlobal::executeCommand("probeUndo;", false, false));
    ASSERT_TRUE(MGlobal::executeCommand("probeUndo;", false, true));
    // A plug-in command that runs script text without undo inside an undoable call.
    table().add("nested", [](const CommandCall&, Value&) {
        return MGlobal::executeCommand("probeUndo;", false, false);
    });
    ASSERT_TRUE(MGlobal::executeCommand("nested; probeUndo;", false, true));
    table().remove("nested");
    table().remove("probeUndo");
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false, true}));
}
