// RVPolyCompare driven through the host's scripts with the built plug-in loaded.
#include "PluginHost.h"

#include <maya/MIntArray.h>

#include <string>
#include <vector>

namespace {

using Ints = std::vector<int>;

class PolyCompare : public PluginHostTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        // child: 1 x 1 plane, vertices (-0.5, 0.5) (0.5, 0.5) (-0.5, -0.5) (0.5, -0.5) in
        // (x, z); parent: 2 x 2 plane with 2 x 2 faces, vertex r * 3 + c at
        // (-1 + c, 1 - r). Each child vertex is equally near four parent vertices.
        for (const char* command : {"file -f -new", "polyPlane -w 1 -h 1 -sx 1 -sy 1 -n child",
                                    "polyPlane -w 2 -h 2 -sx 2 -sy 2 -n parent"})
            ASSERT_TRUE(ok(command)) << command << err();
        clearMessages();
    }
    void TearDown() override { EXPECT_TRUE(ok("unloadPlugin -force Ravelin")) << err(); }

    Ints ints(const std::string& command) {
        MIntArray result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(command.c_str()), result)) << command << err();
        return Ints(result.items().begin(), result.items().end());
    }
    std::string failure(const std::string& command) {
        clearMessages();
        EXPECT_FALSE(ok(command)) << command;
        return err();
    }
};

TEST_F(PolyCompare, EveryVertexGoesToTheLowestOfItsNearestVertices) {
    EXPECT_EQ(ints("RVPolyCompare -mv child parent"), (Ints{0, 1, 3, 4}));
    EXPECT_EQ(ints("RVPolyCompare -matchingVertices childShape parentShape"), (Ints{0, 1, 3, 4}));
    // The other way round several parent vertices share a child vertex; the middle row and
    // column tie between two or four.
    EXPECT_EQ(ints("RVPolyCompare -mv parent child"), (Ints{0, 0, 1, 0, 0, 1, 2, 2, 3}));
}

TEST_F(PolyCompare, OneVertexAndTheIndexBounds) {
    EXPECT_EQ(integer("RVPolyCompare -mvi 3 child parent"), 4);
    EXPECT_EQ(integer("RVPolyCompare -matchingVertexIndex 8 parent child"), 3);
    // Both flags: only the one vertex.
    EXPECT_EQ(integer("RVPolyCompare -mv -mvi 1 child parent"), 1);
    EXPECT_NE(failure("RVPolyCompare -mvi 4 child parent")
                  .find("RVPolyCompare: vertex index 4 is out of range; the first mesh has 4 "
                        "vertices."),
              std::string::npos)
        << err();
    EXPECT_NE(failure("RVPolyCompare -mvi -1 child parent").find("-mvi"), std::string::npos);
}

TEST_F(PolyCompare, MeshesAreMatchedInTheirOwnObjectSpace) {
    // Moving either node changes nothing; moving the parent's points does.
    ASSERT_TRUE(ok("move -a 0.5 3 0.5 parent; move -a -7 0 0 child"));
    EXPECT_EQ(ints("RVPolyCompare -mv child parent"), (Ints{0, 1, 3, 4}));
    // Parent vertex 1 to (-0.1, 1): now nearest to child vertex 0, and child vertex 1 falls
    // to the lowest of its three remaining ties.
    ASSERT_TRUE(ok("move -r -os -0.1 0 0 parent.vtx[1]"));
    EXPECT_EQ(ints("RVPolyCompare -mv child parent"), (Ints{1, 2, 3, 4}));
}

TEST_F(PolyCompare, ObjectsMustBeTwoMeshes) {
    EXPECT_NE(failure("RVPolyCompare -mv child").find("Not enough objects"), std::string::npos);
    EXPECT_NE(failure("RVPolyCompare -mv child parent child").find("Too many objects"),
              std::string::npos);
    ASSERT_TRUE(ok("createNode transform -n empty; createNode RVSculptData -n data"));
    failure("RVPolyCompare -mv child empty");
    failure("RVPolyCompare -mvi 0 data parent");
    clearMessages();
    // Without a flag there is nothing to match and the objects are not looked at.
    EXPECT_TRUE(ok("RVPolyCompare child empty")) << err();
}

TEST_F(PolyCompare, AnEmptySecondMeshGivesZeros) {
    ASSERT_TRUE(ok("createNode mesh -n hollowShape")) << err();
    ASSERT_EQ(integer("polyEvaluate -v hollowShape"), 0);
    EXPECT_EQ(ints("RVPolyCompare -mv parent hollowShape"), Ints(9, 0));
    EXPECT_EQ(integer("RVPolyCompare -mvi 5 parent hollowShape"), 0);
    EXPECT_EQ(ints("RVPolyCompare -mv hollowShape parent"), Ints());
}

} // namespace
