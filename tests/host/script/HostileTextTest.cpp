// Script text as a hostile or careless user writes it: every case ends at once with a
// clear error, and the host stays usable.
#include "ScriptFixture.h"

#include <climits>

namespace {

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int k = 0; k < times; ++k)
        text += piece;
    return text;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(ScriptTest, DeepNestingIsASyntaxErrorNotACrash) {
    const std::string parens = repeated("(", 3000) + "1" + repeated(")", 3000);
    EXPECT_FALSE(run("int $deep = " + parens + ";"));
    EXPECT_TRUE(has(err(), "nested more than 256 deep")) << err();
    EXPECT_FALSE(run(repeated("{", 3000) + repeated("}", 3000)));
    EXPECT_FALSE(run("int $n = " + repeated("-", 3000) + "1;"));
    // The limit is generous: 250 levels still run.
    EXPECT_EQ(value(repeated("(", 250) + "7" + repeated(")", 250)), Value(7));
    EXPECT_EQ(value("1 + 1"), Value(2));
}

TEST_F(ScriptTest, NestingBuiltAcrossProcedureCallsStopsWithAnError) {
    // Each call adds 150 levels of expression; the calls themselves stay under their own
    // limit, the sum does not.
    const std::string body = repeated("1 * (", 150) + "down($n - 1)" + repeated(")", 150);
    ASSERT_TRUE(
        run("global proc int down(int $n) { if ($n <= 0) return 0; return " + body + "; }"));
    EXPECT_EQ(value("down(5)"), Value(0));
    EXPECT_FALSE(run("down(150);"));
    EXPECT_TRUE(has(err(), "Script nested too deeply")) << err();
    EXPECT_EQ(value("down(2)"), Value(0));
}

TEST_F(ScriptTest, IntLiteralsBeyondThirtyTwoBitsAreRefused) {
    EXPECT_EQ(value("2147483647"), Value(INT_MAX));
    EXPECT_EQ(value("-2147483648"), Value(INT_MIN));
    EXPECT_EQ(value("0x7fffffff"), Value(INT_MAX));
    EXPECT_FALSE(run("int $big = 2147483648;"));
    EXPECT_TRUE(has(err(), "the integer 2147483648 does not fit in an int")) << err();
    EXPECT_FALSE(run("int $big = -2147483649;"));
    EXPECT_FALSE(run("int $big = 99999999999999999999999;"));
    // Negating the most negative int wraps as the rest of int arithmetic does.
    EXPECT_EQ(value("-(-2147483648)"), Value(INT_MIN));
    EXPECT_EQ(value("2147483647 + 1"), Value(INT_MIN));
    // In a command's arguments a number too large for an int is passed as a float.
    ASSERT_TRUE(run("print 3000000000;"));
    EXPECT_EQ(out(), "3e+09");
}
