// Settings loaded from option variables, mirror images of every ReflectionCode, the
// overlap and cap arithmetic, and the mesh record's rebuild rules.
#include "SculptFixture.h"

#include "sculpt/KVDabPass.h"

namespace {
void optionVar(const std::string& flag, const std::string& name, const std::string& value) {
    ASSERT_TRUE(MGlobal::executeCommand(
        MString(("optionVar " + flag + " RVOption_" + name + " " + value).c_str())));
}
void removeOptionVars(std::initializer_list<const char*> names) {
    for (const char* name : names)
        MGlobal::executeCommand(MString("optionVar -rm RVOption_") + name);
}
} // namespace

class SettingsTest : public SculptTest {
protected:
    ~SettingsTest() override {
        removeOptionVars({"radius", "vertexColorG", "vertexColorB", "vertexColorR", "reflectAxisY",
                          "reflectAxisZ", "cursorRadius", "useAccumulation", "mode", "value"});
    }
};

TEST_F(SettingsTest, DefaultsHoldWithoutOptionVariables) {
    KVPSCtxData fresh;
    fresh.loadSculptSettings();
    EXPECT_EQ(fresh.radius, 20.0);
    EXPECT_EQ(fresh.value, 1.0);
    EXPECT_EQ(fresh.spacing, 1.0);
    EXPECT_EQ(fresh.mode, kDisplace);
    EXPECT_EQ(fresh.vectorType, kObjectY);
    EXPECT_TRUE(fresh.useAccumulation);
    EXPECT_EQ(fresh.reflectCode, 0);
    EXPECT_EQ(fresh.bulgeScale, 0.0);
    EXPECT_EQ(fresh.grabScaleCode, 7);
}

TEST_F(SettingsTest, LoadReadsExistingVariablesAndDerivesBases) {
    optionVar("-fv", "radius", "7.5");
    optionVar("-iv", "useAccumulation", "0");
    optionVar("-iv", "cursorRadius", "65541"); // keeps the low 16 bits: 5
    optionVar("-iv", "mode", "4");
    KVPSCtxData s;
    s.loadSculptSettings();
    EXPECT_EQ(s.radius, 7.5);
    EXPECT_EQ(s.baseRadius, 7.5);
    EXPECT_EQ(s.brushDiameter, 15.0);
    EXPECT_FALSE(s.useAccumulation);
    EXPECT_EQ(s.cursorRadius, 5);
    EXPECT_EQ(s.baseMode, kPinch);
    s.radius = 2.0;
    s.mode = kSmooth;
    s.restoreWorkingSettings();
    EXPECT_EQ(s.radius, 7.5);
    EXPECT_EQ(s.mode, kPinch);
}

TEST_F(SettingsTest, ColourNeedsItsRedChannel) {
    optionVar("-fv", "vertexColorG", "0.1");
    optionVar("-fv", "vertexColorB", "0.2");
    KVPSCtxData s;
    s.loadSculptSettings();
    EXPECT_EQ(s.vertexColor, MColor(0.0f, 0.5f, 1.0f, 1.0f));
    optionVar("-fv", "vertexColorR", "0.3");
    s.loadSculptSettings();
    EXPECT_EQ(s.vertexColor, MColor(0.3f, 0.1f, 0.2f, 1.0f));
}

TEST_F(SettingsTest, ReflectAxisYMirrorsZAndReflectAxisZMirrorsY) {
    optionVar("-iv", "reflectAxisY", "1");
    KVPSCtxData s;
    s.loadSculptSettings();
    EXPECT_EQ(s.reflectCode, 3);
    MPointArray centres;
    MVectorArray vectors;
    KVStroke::mirrorBrushInstances(MPoint(1, 2, 3), MVector(0, 1, 0), s.reflectCode, 0, MMatrix(),
                                   centres, vectors);
    ASSERT_EQ(centres.length(), 2u);
    EXPECT_EQ(centres[1], MPoint(1, 2, -3));
    optionVar("-iv", "reflectAxisY", "0");
    optionVar("-iv", "reflectAxisZ", "1");
    s.loadSculptSettings();
    EXPECT_EQ(s.reflectCode, 2);
}

TEST(MirrorTest, EveryReflectionCodeGivesItsImagesInOrder) {
    const MPoint c(1, 2, 3);
    const std::vector<std::vector<MPoint>> expected = {
        {c},
        {c, MPoint(-1, 2, 3)},
        {c, MPoint(1, -2, 3)},
        {c, MPoint(1, 2, -3)},
        {c, MPoint(-1, 2, 3), MPoint(-1, -2, 3), MPoint(1, -2, 3)},
        {c, MPoint(-1, 2, 3), MPoint(-1, 2, -3), MPoint(1, 2, -3)},
        {c, MPoint(1, -2, 3), MPoint(1, -2, -3), MPoint(1, 2, -3)},
        {c, MPoint(-1, 2, 3), MPoint(-1, -2, 3), MPoint(-1, -2, -3), MPoint(1, -2, 3),
         MPoint(1, 2, -3), MPoint(1, -2, -3), MPoint(-1, 2, -3)},
    };
    for (int code = 0; code < 8; ++code) {
        MPointArray centres;
        MVectorArray vectors;
        KVStroke::mirrorBrushInstances(c, MVector(1, 1, 1), code, 1, MMatrix(), centres, vectors);
        ASSERT_EQ(centres.length(), expected[code].size()) << code;
        for (unsigned int j = 0; j < centres.length(); ++j) {
            EXPECT_EQ(centres[j], expected[code][j]) << code << " " << j;
            const MPoint& e = expected[code][j]; // vectors flip the same signs
            EXPECT_EQ(vectors[j], MVector(e.x, e.y / 2, e.z / 3)) << code << " " << j;
        }
    }
}

TEST(MirrorTest, ObjectSpaceMirrorsAboutTheMeshAndWorldSpaceAboutTheOrigin) {
    MMatrix moved; // translate x by 5
    moved[3][0] = 5.0;
    MPointArray centres;
    MVectorArray vectors;
    KVStroke::mirrorBrushInstances(MPoint(7, 0, 1), MVector(1, 0, 0), 1, 0, moved, centres,
                                   vectors);
    EXPECT_EQ(centres[1], MPoint(3, 0, 1));
    EXPECT_EQ(vectors[1], MVector(-1, 0, 0));
    KVStroke::mirrorBrushInstances(MPoint(7, 0, 1), MVector(1, 0, 0), 1, 1, moved, centres,
                                   vectors);
    EXPECT_EQ(centres[1], MPoint(-7, 0, 1));
}

TEST(OverlapTest, CoincidentImagesShareOneBrushAndDistantOnesActFully) {
    MPointArray two;
    two.append(MPoint(0, 0, 1));
    two.append(MPoint(0, 0, 1));
    EXPECT_DOUBLE_EQ(KVStroke::overlapFactor(two, 2, 3.0), 0.5);
    two[1] = MPoint(3, 0, 1); // e = r: 3/6 * 1/2 + 1/2
    EXPECT_DOUBLE_EQ(KVStroke::overlapFactor(two, 2, 3.0), 0.75);
    two[1] = MPoint(30, 0, 1);
    EXPECT_DOUBLE_EQ(KVStroke::overlapFactor(two, 2, 3.0), 1.0);
    EXPECT_DOUBLE_EQ(KVStroke::overlapFactor(two, 1, 3.0), 1.0);
    EXPECT_DOUBLE_EQ(KVStroke::overlapFactor(two, 2, 0.0), 1.0);
}

TEST(CapTest, AmountsStopAtTheCapInEitherDirection) {
    double amount = 0.0;
    EXPECT_DOUBLE_EQ(KVDabPass::capStrokeAmount(amount, 0.75, 1.0), 0.75);
    EXPECT_DOUBLE_EQ(KVDabPass::capStrokeAmount(amount, 0.75, 1.0), 0.25);
    EXPECT_DOUBLE_EQ(amount, 1.0);
    EXPECT_DOUBLE_EQ(KVDabPass::capStrokeAmount(amount, 0.5, 1.0), 0.0);
    double negative = -0.5;
    EXPECT_DOUBLE_EQ(KVDabPass::capStrokeAmount(negative, -0.75, 1.0), -0.5);
    EXPECT_DOUBLE_EQ(negative, -1.0);
}

class MeshRecordTest : public SculptTest {};

TEST_F(MeshRecordTest, RebuildKeepsTheMaskAndClearsStrokeData) {
    record.maskFlag[5] = true;
    record.maskWeight[5] = 0.25;
    record.markTouched(7);
    record.strokeTouched[7] = true;
    record.strokeAmount[7] = 0.5;
    ASSERT_TRUE(record.buildMeshRecord());
    EXPECT_FALSE(record.strokeTouched[7]);
    EXPECT_TRUE(record.touchedVertices.empty());
    EXPECT_TRUE(record.maskFlag[5]);
    EXPECT_EQ(record.maskWeight[5], 0.25);
    EXPECT_FALSE(record.vertexRecords[7].touched);
    EXPECT_EQ(record.strokeAmount[7], 0.0);
    EXPECT_EQ(record.neighbours.count(22), 4); // an inner vertex of the grid
    EXPECT_EQ(record.worldVertexNormals[22], MVector(0, 1, 0));
}

TEST_F(MeshRecordTest, WorldPointsFollowTheTransformAndWriteBackReachesTheMesh) {
    run("setAttr plane.translateY 2");
    ASSERT_TRUE(record.buildMeshRecord());
    EXPECT_EQ(record.worldPoints[0], MPoint(-10, 2, 10));
    record.worldPoints[0] = MPoint(-10, 3, 10);
    record.points[0] = MPoint(-10, 1, 10);
    ASSERT_TRUE(record.writeBackPoints());
    MPoint p;
    MFnMesh(record.meshPath).getPoint(0, p);
    EXPECT_EQ(p, MPoint(-10, 1, 10));
    EXPECT_EQ(record.worldPoints[0], MPoint(-10, 3, 10));
}

TEST_F(MeshRecordTest, GrowingTheMeshKeepsOldWeightsAndFreesNewVertices) {
    record.maskFlag[3] = true;
    record.maskWeight[3] = 0.5;
    record.meshPath = MDagPath();
    makePlane("bigger", 20, 30); // same record, a mesh with more vertices
    ASSERT_EQ(record.vertexCount, 31 * 31);
    EXPECT_TRUE(record.maskFlag[3]);
    EXPECT_EQ(record.maskWeight[3], 0.5);
    EXPECT_FALSE(record.maskFlag[500]);
    EXPECT_EQ(record.maskWeight[500], 1.0);
    EXPECT_FALSE(record.isStale());
}

TEST_F(MeshRecordTest, SnapshotsTrimTheRedoBranchAndTheFront) {
    SculptHistory& history = record.history;
    history.unlimited = false;
    history.maxLength = 2;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(history.pushSnapshot(record.meshPath, record.maskFlag, record.maskWeight));
    EXPECT_EQ(history.entries.size(), 2u);
    EXPECT_EQ(history.cursor, 1);
    history.cursor = 0;
    history.unlimited = true;
    history.pushSnapshot(record.meshPath, record.maskFlag, record.maskWeight);
    EXPECT_EQ(history.entries.size(), 2u); // the entry after the cursor went
    EXPECT_EQ(history.lastStep, 0);
    EXPECT_EQ(history.entries[1].points.size(), 441u);
}
