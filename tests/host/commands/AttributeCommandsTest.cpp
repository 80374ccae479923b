#include "CommandsFixture.h"

using Strings = std::vector<std::string>;

TEST_F(CommandsTest, TransformAttributesReadAndWriteInScriptUnits) {
    strings("polyCube");
    ASSERT_TRUE(ok("setAttr pCube1.translate 1 2 3"));
    ASSERT_TRUE(ok("setAttr pCube1.ty 5"));
    expectNear3(numbers("getAttr pCube1.translate"), 1, 5, 3);
    ASSERT_TRUE(ok("setAttr pCube1.rotateZ 90"));
    EXPECT_NEAR(number("getAttr pCube1.rz"), 90, 1e-9);
    // The rotation is kept in radians: the corner moves as a quarter turn moves it.
    const std::vector<double> local = numbers("xform -q -os -t pCube1.vtx[0]");
    expectNear3(numbers("xform -q -ws -t pCube1.vtx[0]"), 1 - local[1], 5 + local[0], 3 + local[2]);
    EXPECT_EQ(text("getAttr -type pCube1.translate"), "double3");
    EXPECT_EQ(text("getAttr -type pCube1.rotateX"), "doubleAngle");
    EXPECT_EQ(text("getAttr -type pCube1.visibility"), "bool");
    ASSERT_TRUE(ok("setAttr pCube1.visibility false"));
    EXPECT_EQ(number("getAttr pCube1.v"), 0);
    EXPECT_NE(failure("setAttr pCube1.translate 1 2").find("takes 3 values"), std::string::npos);
    EXPECT_NE(failure("getAttr pCube1.noSuch").find("No object matches name: pCube1.noSuch"),
              std::string::npos);
}

TEST_F(CommandsTest, LockedAttributesRefuseValuesUntilUnlocked) {
    strings("polyCube");
    ASSERT_TRUE(ok("setAttr -lock true pCube1.tx"));
    EXPECT_EQ(number("getAttr -lock pCube1.tx"), 1);
    EXPECT_NE(failure("setAttr pCube1.tx 4").find("is locked or connected"), std::string::npos);
    EXPECT_EQ(number("getAttr pCube1.tx"), 0);
    ASSERT_TRUE(ok("setAttr -lock false pCube1.tx 4"));
    EXPECT_EQ(number("getAttr pCube1.tx"), 4);
    ASSERT_TRUE(ok("setAttr -lock true pCube1.translate"));
    EXPECT_NE(failure("setAttr pCube1.tz 1").find("is locked"), std::string::npos);
}

TEST_F(CommandsTest, SetAttrUndoRestoresValueAndLock) {
    strings("polyCube");
    ASSERT_TRUE(ok("setAttr pCube1.tx 2"));
    ASSERT_TRUE(ok("setAttr -lock true pCube1.tx 7"));
    ASSERT_TRUE(undo());
    EXPECT_EQ(number("getAttr pCube1.tx"), 2);
    EXPECT_EQ(number("getAttr -lock pCube1.tx"), 0);
    ASSERT_TRUE(redo());
    EXPECT_EQ(number("getAttr pCube1.tx"), 7);
    EXPECT_EQ(number("getAttr -lock pCube1.tx"), 1);
}

TEST_F(CommandsTest, DynamicAttributesOfEveryKind) {
    text("createNode transform -n holder");
    ASSERT_TRUE(ok("addAttr -ln count -sn cnt -at long holder"));
    ASSERT_TRUE(ok("addAttr -ln label -dt \"string\" -uaf holder"));
    ASSERT_TRUE(ok("addAttr -ln ids -dt Int32Array holder"));
    ASSERT_TRUE(ok("addAttr -ln amount -at double -min 0 -max 1 holder"));
    ASSERT_TRUE(ok("setAttr holder.cnt 7.9"));
    EXPECT_EQ(number("getAttr holder.count"), 7);
    ASSERT_TRUE(ok("setAttr holder.amount 3"));
    EXPECT_EQ(number("getAttr holder.amount"), 1);
    ASSERT_TRUE(ok("setAttr holder.label -type \"string\" \"two words\""));
    EXPECT_EQ(text("getAttr holder.label"), "two words");
    ASSERT_TRUE(ok("setAttr -type Int32Array holder.ids 3 4 -5 6"));
    MIntArray ids;
    ASSERT_TRUE(MGlobal::executeCommand("getAttr holder.ids", ids));
    ASSERT_EQ(ids.length(), 3u);
    EXPECT_EQ(ids[1], -5);
    EXPECT_EQ(text("getAttr -type holder.ids"), "Int32Array");
    EXPECT_NE(failure("setAttr holder.label \"no type\"").find("does not match"),
              std::string::npos);
    EXPECT_NE(failure("setAttr -type Int32Array holder.ids 3 1 2").find("Int32Array"),
              std::string::npos);
    EXPECT_NE(failure("addAttr -ln count -at short holder").find("already has"), std::string::npos);
    ASSERT_TRUE(undo()); // the last setAttr; then each addAttr
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    EXPECT_TRUE(number("objExists holder.label"));
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    EXPECT_FALSE(number("objExists holder.label"));
}

// The query script of the height-map command, as it runs it: the node is made once, then
// its attributes are unlocked, set and locked again on every run.
TEST_F(CommandsTest, HeightMapQueryScriptMakesItsNodeOnce) {
    auto script = [](int width, const std::string& file) {
        std::string w = std::to_string(width);
        return "string $node = \"KVHeightMapUI\"; \n"
               "if(!`objExists $node`) { \n scriptNode -st 1 -name $node; \n "
               "addAttr -s true -at short -k false -shortName \"w\" -longName \"width\" $node; \n"
               "addAttr -s true -at short -k false -shortName \"h\" -longName \"height\" $node; \n"
               "addAttr -s true -dt \"string\" -uaf -k false -shortName \"fn\" -longName "
               "\"fileName\" $node;  } \n"
               "setAttr -lock false ($node + \".width\") ;setAttr -lock false ($node + "
               "\".height\") ;"
               "setAttr -lock false ($node + \".fileName\") ;"
               "setAttr ($node + \".width\") " +
               w +
               " ;\n"
               "setAttr ($node + \".height\") 3 ;\n"
               "setAttr ($node + \".fileName\") -type \"string\" \"" +
               file +
               "\";\n"
               "setAttr -lock true ($node + \".width\") ;setAttr -lock true ($node + \".height\") ;"
               "setAttr -lock true ($node + \".fileName\") ;";
    };
    ASSERT_TRUE(MGlobal::executeCommand(MString(script(64, "a.tga").c_str()), false, false))
        << err();
    ASSERT_TRUE(MGlobal::executeCommand(MString(script(128, "b.png").c_str()), false, false))
        << err();
    EXPECT_EQ(strings("ls -type script"), Strings{"KVHeightMapUI"});
    EXPECT_EQ(number("getAttr KVHeightMapUI.w"), 128);
    EXPECT_EQ(text("getAttr KVHeightMapUI.fileName"), "b.png");
    EXPECT_EQ(number("getAttr -lock KVHeightMapUI.fn"), 1);
    EXPECT_EQ(number("getAttr KVHeightMapUI.scriptType"), 1);
}

TEST_F(CommandsTest, ConnectionsCarryValuesAndUndo) {
    text("createNode transform -n a");
    text("createNode transform -n b");
    text("createNode transform -n c");
    ASSERT_TRUE(ok("connectAttr a.tx b.ty"));
    ASSERT_TRUE(ok("setAttr a.tx 3"));
    EXPECT_EQ(number("getAttr b.ty"), 3);
    EXPECT_EQ(number("isConnected a.tx b.ty"), 1);
    EXPECT_EQ(number("isConnected b.ty a.tx"), 0);
    EXPECT_NE(failure("setAttr b.ty 1").find("locked or connected"), std::string::npos);
    EXPECT_NE(failure("connectAttr c.tx b.ty").find("already has an incoming connection"),
              std::string::npos);
    ASSERT_TRUE(ok("connectAttr -f c.tx b.ty"));
    EXPECT_EQ(number("isConnected c.tx b.ty"), 1);
    ASSERT_TRUE(undo());
    EXPECT_EQ(number("isConnected a.tx b.ty"), 1)
        << "undoing a forced connection restores the old one";
    ASSERT_TRUE(ok("disconnectAttr a.tx b.ty"));
    EXPECT_EQ(number("isConnected a.tx b.ty"), 0);
    EXPECT_NE(failure("disconnectAttr a.tx b.ty").find("no connection"), std::string::npos);
    ASSERT_TRUE(undo());
    EXPECT_EQ(number("isConnected a.tx b.ty"), 1);
}
