// The GeoLink deformer as scripts build it: a child mesh given an RVGeoLink with the host's
// `deformer` command, the parent's outMesh and a holder's integer array connected to it.
#include "PluginHost.h"

#include <string>
#include <vector>

namespace {

using Point = std::vector<double>;

const char* const kTooFewParentPoints =
    "RVGeoLink Error: Parent Geometry not connected or has less points than child.";
const char* const kIdCountMismatch =
    "RVGeoLink Error: Matching Parent Ids must be of same length as Child Vertices.";
const char* const kIdOutOfRange =
    "RVGeoLink Error: Matching Parent Ids must name vertices of the Parent Geometry.";

// The child's own points: a 1 x 1 plane, (x, z) = (-0.5, 0.5) (0.5, 0.5) (-0.5, -0.5)
// (0.5, -0.5) at y = 0.
const std::vector<Point> kChildOwn = {
    {-0.5, 0, 0.5}, {0.5, 0, 0.5}, {-0.5, 0, -0.5}, {0.5, 0, -0.5}};

class GeoLink : public PluginHostTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        // parent: 3 x 3 plane with 3 x 3 faces, vertex r * 4 + c at (-1.5 + c, 0, 1.5 - r).
        run({"file -f -new", "polyPlane -w 3 -h 3 -sx 3 -sy 3 -n parent",
             "polyPlane -w 1 -h 1 -sx 1 -sy 1 -n child", "deformer -type RVGeoLink -n link child",
             "createNode transform -n holder", "addAttr -ln ids -dt Int32Array holder"});
        clearMessages();
    }
    void TearDown() override { EXPECT_TRUE(ok("unloadPlugin -force Ravelin")) << err(); }

    void run(std::initializer_list<std::string> commands) {
        for (const std::string& command : commands)
            ASSERT_TRUE(ok(command)) << command << "\n" << err();
    }
    // The ids of holder NODE, and the link's parent, both connected.
    void link(const std::string& ids, const std::string& node = "holder") {
        run({"setAttr -type Int32Array " + node + ".ids " + ids,
             "connectAttr -f parentShape.outMesh link.parentGeometryIn",
             "connectAttr -f " + node + ".ids link.matchedVtxIdsIn[0]"});
    }
    Point point(const std::string& mesh, int k) {
        return numbers("pointPosition -l " + mesh + ".vtx[" + std::to_string(k) + "]");
    }
    std::vector<Point> points(const std::string& mesh) {
        std::vector<Point> all;
        for (int k = 0, n = integer("polyEvaluate -v " + mesh); k < n; ++k)
            all.push_back(point(mesh, k));
        return all;
    }
    // The parent's own (object-space) points with the given indices.
    std::vector<Point> parentPoints(std::initializer_list<int> ids) {
        std::vector<Point> chosen;
        for (int id : ids)
            chosen.push_back(point("parent", id));
        return chosen;
    }
};

TEST_F(GeoLink, EachChildVertexTakesItsParentVertexInObjectSpace) {
    run({"move -a 4 1 -2 parent", "move -a -3 0 0 child"}); // transforms play no part
    link("4 15 0 5 5");
    EXPECT_EQ(points("child"), parentPoints({15, 0, 5, 5}));
    EXPECT_EQ(point("child", 0), (Point{1.5, 0, -1.5}));
    EXPECT_EQ(point("child", 2), (Point{-0.5, 0, 0.5}));
    EXPECT_EQ(diagnostics(), "");

    // The child follows the parent's points and a new matching list.
    run({"move -r -os 0 2 0 parent.vtx[5]"});
    EXPECT_EQ(point("child", 3), (Point{-0.5, 2, 0.5}));
    run({"setAttr -type Int32Array holder.ids 4 1 2 3 4"});
    EXPECT_EQ(points("child"), parentPoints({1, 2, 3, 4}));
}

TEST_F(GeoLink, TheEnvelopeChangesNothing) {
    link("4 15 0 5 5");
    for (const char* value : {"0", "0.5", "1"}) {
        run({std::string("setAttr link.envelope ") + value});
        EXPECT_EQ(points("child"), parentPoints({15, 0, 5, 5})) << value;
    }
}

TEST_F(GeoLink, WithoutBothInputsConnectedTheChildKeepsItsPoints) {
    run({"setAttr -type Int32Array holder.ids 4 15 0 5 5",
         "connectAttr holder.ids link.matchedVtxIdsIn[0]"});
    EXPECT_EQ(points("child"), kChildOwn); // no parent
    run({"disconnectAttr holder.ids link.matchedVtxIdsIn[0]",
         "connectAttr parentShape.outMesh link.parentGeometryIn",
         // An element that holds ids but is not connected does not count.
         "setAttr -type Int32Array link.matchedVtxIdsIn[0] 4 1 1 1 1"});
    EXPECT_EQ(points("child"), kChildOwn);
    EXPECT_EQ(diagnostics(), ""); // both fail without a message
}

TEST_F(GeoLink, BadMatchingListsFailWithTheirMessageAndLeaveTheChild) {
    const std::pair<std::string, const char*> cases[] = {
        {"3 15 0 5", kIdCountMismatch}, {"5 15 0 5 5 5", kIdCountMismatch},
        {"0", kIdCountMismatch},        {"4 15 0 16 5", kIdOutOfRange}, // the parent has 16 points
        {"4 15 -1 5 5", kIdOutOfRange},
    };
    link("4 15 15 15 15");
    ASSERT_EQ(points("child"), parentPoints({15, 15, 15, 15}));
    for (const auto& [ids, message] : cases) {
        clearMessages();
        run({"setAttr -type Int32Array holder.ids " + ids});
        EXPECT_EQ(points("child"), kChildOwn) << ids;
        EXPECT_EQ(diagnostics(),
                  std::string(message) + ": (kFailure): Unexpected Internal Failure\n")
            << ids;
    }
}

TEST_F(GeoLink, AParentNeedsAtLeastAsManyPointsAsTheChild) {
    run({"polyPlane -w 1 -h 1 -sx 1 -sy 1 -n small", "move -r -os 0 1 0 small.vtx[2]"});
    link("4 3 2 1 0");
    run({"connectAttr -f smallShape.outMesh link.parentGeometryIn"}); // as many: accepted
    EXPECT_EQ(points("child"),
              (std::vector<Point>{{0.5, 0, -0.5}, {-0.5, 1, -0.5}, {0.5, 0, 0.5}, {-0.5, 0, 0.5}}));
    EXPECT_EQ(diagnostics(), "");

    // The parent as the child of a four-point parent.
    clearMessages();
    run({"deformer -type RVGeoLink -n reverse parent", "createNode transform -n many",
         "addAttr -ln ids -dt Int32Array many",
         "setAttr -type Int32Array many.ids 16 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
         "connectAttr many.ids reverse.matchedVtxIdsIn[0]",
         "connectAttr childShape.outMesh reverse.parentGeometryIn"});
    EXPECT_EQ(point("parent", 15), (Point{1.5, 0, -1.5}));
    EXPECT_EQ(diagnostics(),
              std::string(kTooFewParentPoints) + ": (kFailure): Unexpected Internal Failure\n");
}

TEST_F(GeoLink, AChildWithoutPointsIsRefused) {
    run({"createNode mesh -n hollowShape", "deformer -type RVGeoLink -n hollowLink hollowShape",
         "setAttr -type Int32Array holder.ids 0", "connectAttr holder.ids hollowLink.mvi[0]",
         "connectAttr parentShape.outMesh hollowLink.pgi"});
    EXPECT_NE(diagnostics().find(kTooFewParentPoints), std::string::npos) << diagnostics();
}

TEST_F(GeoLink, EachGeometryTakesTheConnectedListOfItsPhysicalIndex) {
    // A second child, fed by a mesh of its own through input[1].
    run({"polyPlane -w 1 -h 1 -sx 1 -sy 1 -n twin", "polyPlane -w 1 -h 1 -sx 1 -sy 1 -n twinSource",
         "connectAttr twinSourceShape.outMesh link.input[1].inputGeometry",
         "connectAttr -f link.outputGeometry[1] twinShape.inMesh", "createNode transform -n other",
         "addAttr -ln ids -dt Int32Array other", "setAttr -type Int32Array holder.ids 4 0 1 2 3",
         "setAttr -type Int32Array other.ids 4 12 13 14 15",
         // Logical indices 7 and 2, connected in that order, and an unconnected element 0:
         // the lists serve the geometries in ascending logical order of the connected ones.
         "setAttr -type Int32Array link.matchedVtxIdsIn[0] 4 5 5 5 5",
         "connectAttr holder.ids link.matchedVtxIdsIn[7]",
         "connectAttr other.ids link.matchedVtxIdsIn[2]",
         "connectAttr parentShape.outMesh link.parentGeometryIn"});
    EXPECT_EQ(points("child"), parentPoints({12, 13, 14, 15}));
    EXPECT_EQ(points("twin"), parentPoints({0, 1, 2, 3}));
    EXPECT_EQ(diagnostics(), "");
}

} // namespace
