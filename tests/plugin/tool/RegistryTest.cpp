// The sculpt mesh registry on a real scene: tags, lookups, removal, renaming, links, and
// the three script arrays that mirror it after every change.
#include "sculpt/KVSculptRegistry.h"

#include "sculpt/KVDozaVeroveToolCmd.h"
#include "sculpt/RVMeshData.h"
#include "services/KVToolServices.h"

#include "app/Startup.h"
#include "script/Output.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        run("file -f -new");
        for (const char* name : {"plane", "ball", "slab"})
            run(std::string(name == std::string("ball") ? "polySphere -r 2 -n " : "polyPlane -n ") +
                name);
        MGlobal::removeOptionVar("RVNameRef_isLinkedChildAttr");
    }

    static void run(const std::string& command) {
        ASSERT_TRUE(MGlobal::executeCommand(MString(command.c_str()))) << command;
    }
    static MDagPath path(const char* name) {
        MSelectionList list;
        list.add(name);
        MDagPath result;
        list.getDagPath(0, result);
        return result;
    }
    static Strings array(const char* name) {
        MStringArray values;
        const std::string text = std::string("global string $") + name + "[]; $" + name + ";";
        EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), values));
        Strings result;
        for (unsigned int i = 0; i < values.length(); ++i)
            result.push_back(values[i].asChar());
        return result;
    }
    static std::string tag(const char* shape) {
        MString value;
        const std::string text = std::string("getAttr ") + shape + ".RavelinSculptID";
        EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), value));
        return value.asChar();
    }
    std::string currentName() {
        RVMeshData* record = registry.currentRecord();
        return record ? record->meshPath.partialPathName().asChar() : "";
    }

    KVSculptRegistry registry;
};

TEST_F(RegistryTest, RegisteringTagsTheMeshOnceAndFindsItAgain) {
    EXPECT_EQ(registry.registerMesh(path("planeShape")), 0);
    const std::string id = tag("planeShape");
    EXPECT_EQ(id.size(), 36u);
    EXPECT_EQ(id, identifierText(registry.record(0).identifier).asChar());
    EXPECT_EQ(registry.registerMesh(path("ballShape")), 1);
    EXPECT_EQ(registry.registerMesh(path("planeShape")), 0);
    EXPECT_EQ(registry.size(), 2);
    EXPECT_EQ(tag("planeShape"), id);
    EXPECT_EQ(currentName(), "planeShape");
    EXPECT_EQ(registry.record(0).vertexCount, 121);

    // A tag no record knows (a scene saved earlier) is replaced by a fresh identifier.
    run("addAttr -ln RavelinSculptID -dt \"string\" slabShape");
    run("setAttr -type \"string\" slabShape.RavelinSculptID \"not-an-identifier\"");
    EXPECT_EQ(registry.registerMesh(path("slabShape")), 2);
    EXPECT_EQ(tag("slabShape"), identifierText(registry.record(2).identifier).asChar());
}

TEST_F(RegistryTest, ScriptArraysMirrorEveryChange) {
    registry.registerMesh(path("planeShape"));
    registry.registerMesh(path("ballShape"));
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|plane|planeShape", "|ball|ballShape"}));
    EXPECT_EQ(array("gRVAllCachedGUIDs"), (Strings{tag("planeShape"), tag("ballShape")}));
    EXPECT_EQ(array("gRVSculptMeshes"), (Strings{"|plane|planeShape", "|ball|ballShape"}));

    // A deleted mesh stays cached but is no longer sculptable; the numbering has no gap.
    run("delete plane");
    registry.refreshAll();
    EXPECT_EQ(array("gRVAllCachedMeshes").size(), 2u);
    EXPECT_EQ(array("gRVSculptMeshes"), (Strings{"|ball|ballShape"}));

    registry.removeAll();
    EXPECT_TRUE(array("gRVAllCachedMeshes").empty());
    EXPECT_TRUE(array("gRVAllCachedGUIDs").empty());
    EXPECT_TRUE(array("gRVSculptMeshes").empty());
}

TEST_F(RegistryTest, RemovingTheCurrentFirstRecordMakesTheLastCurrent) {
    for (const char* shape : {"planeShape", "ballShape", "slabShape"})
        registry.registerMesh(path(shape));
    ASSERT_TRUE(registry.selectRecordById(registry.record(0).identifier));
    EXPECT_EQ(registry.removeByName("plane").statusCode(), MS::kNotFound); // the transform
    EXPECT_TRUE(registry.removeByName("planeShape"));
    EXPECT_EQ(registry.size(), 2);
    EXPECT_EQ(currentName(), "slabShape");
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|ball|ballShape", "|slab|slabShape"}));

    EXPECT_TRUE(registry.removeByPath(path("slabShape")));
    EXPECT_EQ(currentName(), "ballShape");
    EXPECT_TRUE(registry.removeByName("|ball|ballShape"));
    EXPECT_TRUE(registry.empty());
    EXPECT_EQ(registry.currentIndex(), 0);
    EXPECT_EQ(registry.currentRecord(), nullptr);
    EXPECT_EQ(registry.removeByPath(path("ballShape")).statusCode(), MS::kNotFound);
}

TEST_F(RegistryTest, RenamingMovesTheCacheToTheNewMesh) {
    registry.registerMesh(path("planeShape"));
    EXPECT_EQ(registry.renameCache("nothing", "slab").statusCode(), MS::kNotFound);
    EXPECT_EQ(registry.renameCache("planeShape", "noSuchMesh").statusCode(), MS::kNotFound);
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|plane|planeShape"}));

    EXPECT_TRUE(registry.renameCache("planeShape", "slab"));
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|slab|slabShape"}));
    EXPECT_EQ(currentName(), "slabShape");
}

TEST_F(RegistryTest, LinkingDropsTheChildRecordAndRecordsThePair) {
    registry.registerMesh(path("planeShape"));
    registry.registerMesh(path("ballShape"));
    EXPECT_FALSE(registry.linkSurface("planeShape", "planeShape"));
    EXPECT_EQ(registry.size(), 2);

    EXPECT_TRUE(registry.linkSurface("ballShape", "planeShape"));
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|ball|ballShape"}));
    EXPECT_TRUE(registry.isLinked("ballShape", "planeShape"));
    EXPECT_FALSE(registry.isLinked("planeShape", "ballShape"));
    EXPECT_TRUE(registry.linkSurface("ballShape", "planeShape"));
    EXPECT_EQ(registry.record(0).links.size(), 1u);

    // A parent not yet cached is registered on the way.
    EXPECT_TRUE(registry.linkSurface("slabShape", "ballShape"));
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|slab|slabShape"}));
    EXPECT_TRUE(registry.isLinked("slabShape", "ballShape"));

    EXPECT_TRUE(registry.unlinkSurface("slabShape", "ballShape"));
    EXPECT_FALSE(registry.isLinked("slabShape", "ballShape"));
    EXPECT_EQ(registry.unlinkSurface("slabShape", "ballShape").statusCode(), MS::kNotFound);
}

TEST_F(RegistryTest, AddingTakesTransformsAndRefusesGeoLinkChildren) {
    EXPECT_TRUE(registry.addMesh(path("plane")));
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|plane|planeShape"}));

    run("addAttr -ln linkedChild -at bool ballShape");
    run("setAttr ballShape.linkedChild 1");
    EXPECT_TRUE(registry.addMesh(path("ball"))); // the default marker name is not there
    registry.removeByName("ballShape");
    MGlobal::setOptionVarValue("RVNameRef_isLinkedChildAttr", MString("linkedChild"));
    std::ostringstream out, err;
    {
        rvhost::script::OutputRedirect redirect(out, err);
        EXPECT_FALSE(registry.addMesh(path("ball")));
    }
    EXPECT_NE(err.str().find("Ravelin: cannot sculpt a GeoLink Child Mesh; remove the link first."),
              std::string::npos);
    EXPECT_EQ(registry.size(), 1);
}

TEST_F(RegistryTest, AddingTheSelectionClearsIt) {
    run("select -cl");
    EXPECT_FALSE(registry.addSelected());
    run("select -r ball slab");
    EXPECT_TRUE(registry.addSelected());
    EXPECT_EQ(array("gRVAllCachedMeshes"), (Strings{"|ball|ballShape", "|slab|slabShape"}));
    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    EXPECT_EQ(selection.length(), 0u);
}

// The refresh right after adding finds the new record built; a later refresh reads the mesh
// again, so an edit made after the adding reaches the record.
TEST_F(RegistryTest, TheRefreshAfterAddingKeepsTheBuildAndLaterRefreshesReadTheMesh) {
    ASSERT_TRUE(registry.addMesh(path("plane")));
    RVMeshData& record = registry.record(0);
    registry.refreshAll();
    ASSERT_EQ(record.points.length(), 121u);
    EXPECT_EQ(record.points[0].y, 0.0);
    run("move -r 0 3 0 plane.vtx[0]");
    registry.refreshAll();
    EXPECT_EQ(record.points[0].y, 3.0);
    EXPECT_EQ(record.worldPoints[0].y, 3.0);
    // Registering a mesh that is already registered builds nothing new to keep.
    run("move -r 0 1 0 plane.vtx[0]");
    ASSERT_TRUE(registry.addMesh(path("plane")));
    registry.refreshAll();
    EXPECT_EQ(record.points[0].y, 4.0);
}

TEST_F(RegistryTest, UndoStepsOnlyTheMeshesStillInTheModel) {
    KVSculptRegistry& shared = KVSculptRegistry::instance();
    KVSculptServices::install(&KVToolServices::instance());
    shared.registerMesh(path("planeShape"));
    shared.registerMesh(path("ballShape"));
    for (int i = 0; i < shared.size(); ++i)
        shared.record(i).snapshotForStroke(); // as a stroke's start does
    run("delete ball");
    const size_t ballEntriesBefore = shared.record(1).history.entries.size();
    KVDozaVeroveToolCmd command;
    const MStatus undone = command.undoIt();
    const int planeStep = shared.record(0).history.lastStep;
    const int ballStep = shared.record(1).history.lastStep;
    const size_t ballEntries = shared.record(1).history.entries.size();
    shared.removeAll();
    KVSculptServices::install(nullptr);
    EXPECT_EQ(undone, MS::kSuccess);
    EXPECT_EQ(planeStep, 1); // stepped back
    EXPECT_EQ(ballStep, 0);  // untouched: no snapshot taken, nothing restored
    EXPECT_EQ(ballEntries, ballEntriesBefore);
}

} // namespace
