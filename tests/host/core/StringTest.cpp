#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

TEST(MStringTest, NumberReadersTakeTheLeadingNumberOrZero) {
    EXPECT_EQ(MString("42abc").asInt(), 42);
    EXPECT_EQ(MString("  -7").asInt(), -7);
    EXPECT_EQ(MString("abc").asInt(), 0);
    EXPECT_DOUBLE_EQ(MString("2.5e1x").asDouble(), 25.0);
    EXPECT_FLOAT_EQ(MString("").asFloat(), 0.0f);
    EXPECT_TRUE(MString("12").isInt());
    EXPECT_FALSE(MString("12x").isInt());
    EXPECT_FALSE(MString(" 12").isInt());
    EXPECT_TRUE(MString("1.5").isFloat());
}

TEST(MStringTest, SplitDropsEmptyPiecesAndSubstringIncludesBothEnds) {
    MStringArray parts;
    MString("C:\\\\Program Files\\Ravelin\\").split('\\', parts);
    ASSERT_EQ(parts.length(), 3u);
    EXPECT_EQ(parts[0], "C:");
    EXPECT_EQ(parts[2], "Ravelin");
    EXPECT_EQ(MString("abcdef").substring(1, 3), "bcd");
    EXPECT_EQ(MString("abc").substring(2, 10), "c");
    EXPECT_EQ(MString("abc").substring(3, 1), "");
}

TEST(MStringTest, NumbersAppendInShortestExactForm) {
    MString s("v");
    s += 0.1;
    s += 3;
    s += 2.0;
    EXPECT_EQ(s, "v0.132");
    EXPECT_EQ(MString("Ab").toLowerCase() + "C", "abC");
}
