// The language's operators at the values where slips show: equal operands, strings either
// way round, both truth values, vectors off the axes, and a zero divisor.
#include "ScriptFixture.h"

using rvhost::script::Vector3;

TEST_F(ScriptTest, ComparisonsHoldAtEqualityForNumbersAndStrings) {
    const std::pair<const char*, int> cases[] = {
        {"2 <= 2", 1},         {"2 < 2", 0},          {"3 >= 3", 1},
        {"3 > 3", 0},          {"2.5 <= 2", 0},       {"1 >= 2", 0},
        {"\"abc\" <= \"abc\"", 1}, {"\"abc\" < \"abd\"", 1}, {"\"abd\" < \"abc\"", 0},
        {"\"b\" > \"a\"", 1},  {"\"a\" >= \"b\"", 0}, {"\"a\" == \"a\"", 1},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(value(expression), Value(expected)) << expression;
}

TEST_F(ScriptTest, LogicTakesBothOperandsTruthIntoAccount) {
    const std::pair<const char*, int> cases[] = {
        {"1 && 0", 0}, {"0 && 1", 0}, {"2 && -1", 1}, {"0 && 0", 0},
        {"1 || 0", 1}, {"0 || 0", 0}, {"!0", 1},      {"!3", 0},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(value(expression), Value(expected)) << expression;
}

TEST_F(ScriptTest, CrossProductsOfVectorsOffTheAxes) {
    // (1, 2, 3) x (4, 5, 6) = (2*6 - 3*5, 3*4 - 1*6, 1*5 - 2*4).
    EXPECT_EQ(value("<<1, 2, 3>> ^ <<4, 5, 6>>"), Value(Vector3{-3, 6, -3}));
    EXPECT_EQ(value("<<4, 5, 6>> ^ <<1, 2, 3>>"), Value(Vector3{3, -6, 3}));
}

TEST_F(ScriptTest, IntegerDivisionAndRemainderRefuseAZeroDivisor) {
    EXPECT_EQ(value("7 / 2"), Value(3));
    EXPECT_EQ(value("7 % 3"), Value(1));
    for (const char* statement : {"7 / 0;", "7 % 0;"}) {
        EXPECT_FALSE(run(statement)) << statement;
        EXPECT_NE(err().find("Division by zero."), std::string::npos) << statement << err();
    }
}
