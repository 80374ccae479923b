#include "script/Value.h"

#include <gtest/gtest.h>

using rvhost::script::quoteForScript;
using rvhost::script::Value;
using rvhost::script::Vector3;

TEST(ValueTest, ScalarConversionsFollowTheLanguage) {
    EXPECT_EQ(Value("12abc").asInt(), 12);
    EXPECT_EQ(Value("abc").asInt(), 0);
    EXPECT_EQ(Value(" 2.5x").asFloat(), 2.5);
    EXPECT_EQ(Value(-2.99).asInt(), -2);
    EXPECT_EQ(Value(1e300).asInt(), 2147483647);
    EXPECT_EQ(Value(0.1).asString(), "0.1");
    EXPECT_EQ(Value(3.0).asString(), "3");
    EXPECT_EQ(Value(Vector3{0, 3, 4}).asFloat(), 5.0);
    EXPECT_EQ(Value("1 2 3").asVector(), (Vector3{1, 2, 3}));
    EXPECT_EQ(Value(2).asVector(), (Vector3{2, 2, 2}));
}

TEST(ValueTest, ArraysConvertElementWiseAndScalarsBecomeOneElement) {
    Value strings(std::vector<std::string>{"1", "2.5x", "a"});
    EXPECT_EQ(strings.asIntArray(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(strings.asFloatArray(), (std::vector<double>{1, 2.5, 0}));
    EXPECT_EQ(strings.asString(), "1 2.5x a");
    EXPECT_EQ(strings.asInt(), 1);
    EXPECT_EQ(Value(std::vector<int>{}).asInt(), 0);
    EXPECT_EQ(Value("x").asStringArray(), std::vector<std::string>{"x"});
    EXPECT_EQ(Value(4).convertedTo(Value::Type::FloatArray), Value(std::vector<double>{4.0}));

    Value grown(std::vector<int>{1});
    grown.setElement(3, Value("7"));
    EXPECT_EQ(grown, Value(std::vector<int>{1, 0, 0, 7}));
    EXPECT_EQ(grown.element(9), Value(0));
    EXPECT_EQ(Value::typeName(Value::Type::VectorArray), "vector[]");
}

TEST(ValueTest, QuotedStringsEscapeWhatTheLexerUnescapes) {
    EXPECT_EQ(quoteForScript("C:\\a \"b\"\n"), "\"C:\\\\a \\\"b\\\"\\n\"");
}
