#include <maya/MFnDependencyNode.h>

#include "SceneFixture.h"

using NamingTest = SceneTest;

TEST_F(NamingTest, DefaultNamesCountUpFromOneAndReuseTheLowestFreeNumber) {
    EXPECT_EQ(make("transform")->name(), "transform1");
    auto second = make("transform");
    EXPECT_EQ(second->name(), "transform2");
    EXPECT_EQ(make("transform")->name(), "transform3");
    scene.remove(*second);
    EXPECT_EQ(make("transform")->name(), "transform2");
}

TEST_F(NamingTest, AClashReplacesTrailingDigitsWithTheLowestFreeNumber) {
    make("transform", "pPlane1");
    EXPECT_EQ(make("transform", "pPlane1")->name(), "pPlane2");
    make("transform", "foo");
    EXPECT_EQ(make("transform", "foo")->name(), "foo1");
    EXPECT_EQ(make("transform", "bar#")->name(), "bar1");
    EXPECT_EQ(make("transform", "bar#")->name(), "bar2");
}

TEST_F(NamingTest, InvalidNamesAreRefusedAndChangeNothing) {
    for (const char* bad : {"1abc", "a b", "a-b", "a|b", "a.b"}) {
        MStatus status;
        EXPECT_EQ(scene.create("transform", bad, nullptr, &status), nullptr) << bad;
        EXPECT_FALSE(status);
    }
    EXPECT_TRUE(scene.nodes().empty());
    auto node = make("transform", "keep");
    EXPECT_FALSE(scene.rename(*node, "9lives"));
    EXPECT_EQ(node->name(), "keep");
    EXPECT_EQ(scene.find("keep"), node);
}

TEST_F(NamingTest, RenameToATakenNameGetsANumberAndFreesTheOldName) {
    auto a = make("transform", "a");
    auto b = make("transform", "b");
    MFnDependencyNode fn(b->handle());
    EXPECT_EQ(fn.setName("a"), MString("a1"));
    EXPECT_EQ(scene.find("b"), nullptr);
    EXPECT_EQ(scene.find("a1"), b);
    EXPECT_EQ(fn.setName("a1"), MString("a1")); // its own name is no clash
}

TEST_F(NamingTest, UnknownTypesAndTheWorldCannotBeMadeOrRenamed) {
    MStatus status;
    EXPECT_EQ(scene.create("noSuchType", "", nullptr, &status), nullptr);
    EXPECT_FALSE(status);
    EXPECT_NE(scene.lastError().find("noSuchType"), std::string::npos);
    EXPECT_FALSE(scene.rename(scene.world(), "earth"));
}
