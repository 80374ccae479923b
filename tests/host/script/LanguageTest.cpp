#include "ScriptFixture.h"

using rvhost::script::Vector3;

TEST_F(ScriptTest, ArithmeticKeepsIntsAndPromotesToFloat) {
    EXPECT_EQ(value("7 / 2"), Value(3));
    EXPECT_EQ(value("-7 / 2"), Value(-3));
    EXPECT_EQ(value("7 % 3"), Value(1));
    EXPECT_EQ(value("7 / 2.0"), Value(3.5));
    EXPECT_EQ(value("1 + 2 * 3 - 4"), Value(3));
    EXPECT_EQ(value("(1 + 2) * 3"), Value(9));
    EXPECT_EQ(value("2 > 1 && !(3 < 1) || 0"), Value(1));
    EXPECT_EQ(value("1 ? \"yes\" : \"no\""), Value("yes"));
    EXPECT_EQ(value("0 ? 1 : 0 ? 2 : 3"), Value(3));
    EXPECT_EQ(value("\"ab\" == \"ab\""), Value(1));
    EXPECT_EQ(value("1 == 1.0"), Value(1));
    EXPECT_FALSE(run("int $z = 1 / 0;"));
    EXPECT_NE(err().find("line 1: Division by zero."), std::string::npos);
}

TEST_F(ScriptTest, StringsConcatenateWithNumbersAndKeepEscapes) {
    EXPECT_EQ(value("\"a\" + 1 + 2"), Value("a12"));
    EXPECT_EQ(value("1 + 2 + \"a\""), Value("3a"));
    EXPECT_EQ(value("\"x\" + 1.5"), Value("x1.5"));
    EXPECT_EQ(value("\"tab\\there\\n\\\"q\\\" \\\\\""), Value("tab\there\n\"q\" \\"));
    ASSERT_TRUE(run("print \"one\\n\"; print (\"two\" + 2 + \"\\n\");"));
    EXPECT_EQ(out(), "one\ntwo2\n");
}

TEST_F(ScriptTest, AssignmentConvertsToTheDeclaredType) {
    ASSERT_TRUE(
        run("int $i = \"12abc\"; float $f = \"2.5e1x\"; string $s = 3.25; int $t = 2.9;"
            "int $n = -2.9; float $len = <<3, 4, 0>>; vector $v = 2; string $w = <<1, 2.5, 3>>;"));
    EXPECT_EQ(value("$i"), Value(12));
    EXPECT_EQ(value("$f"), Value(25.0));
    EXPECT_EQ(value("$s"), Value("3.25"));
    EXPECT_EQ(value("$t"), Value(2));
    EXPECT_EQ(value("$n"), Value(-2));
    EXPECT_EQ(value("$len"), Value(5.0));
    EXPECT_EQ(value("$v"), Value(Vector3{2, 2, 2}));
    EXPECT_EQ(value("$w"), Value("1 2.5 3"));
    EXPECT_FALSE(run("string $scalar = {\"a\"};"));
    EXPECT_NE(err().find("Cannot convert data of type string[] to type string."),
              std::string::npos);
}

TEST_F(ScriptTest, UndeclaredVariablesTakeTheTypeOfTheirFirstValue) {
    ASSERT_TRUE(run("$a = 1; $a = $a + 2.7; $s = \"x\"; $s += 1; $arr[2] = \"c\";"));
    EXPECT_EQ(value("$a"), Value(3)); // int, so 3.7 is cut to 3
    EXPECT_EQ(value("$s"), Value("x1"));
    EXPECT_EQ(value("$arr"), Value(std::vector<std::string>{"", "", "c"}));
    EXPECT_FALSE(run("print $nothing;"));
    EXPECT_NE(err().find("// Error: line 1: \"$nothing\" is an undeclared variable."),
              std::string::npos);
    EXPECT_FALSE(run("string $a;"));
    EXPECT_NE(err().find("Invalid redeclaration of variable \"$a\" as a different type."),
              std::string::npos);
}

TEST_F(ScriptTest, ArraysGrowOnAssignmentAndReadDefaultsPastTheEnd) {
    ASSERT_TRUE(run("int $a[]; $a[3] = 7; $a[size($a)] = 8; float $f[] = {1, 2.5};"
                    "string $s[] = {\"x\", 1}; vector $v[]; $v[1] = <<1, 2, 3>>;"));
    EXPECT_EQ(value("$a"), Value(std::vector<int>{0, 0, 0, 7, 8}));
    EXPECT_EQ(value("size($a)"), Value(5));
    EXPECT_EQ(value("$a[10]"), Value(0));
    EXPECT_EQ(value("$f"), Value(std::vector<double>{1.0, 2.5}));
    EXPECT_EQ(value("$s"), Value(std::vector<std::string>{"x", "1"}));
    EXPECT_EQ(value("$v[1]"), Value(Vector3{1, 2, 3}));
    EXPECT_EQ(value("size(\"hello\")"), Value(5));
    ASSERT_TRUE(run("clear($a); clear $s;"));
    EXPECT_EQ(value("size($a) + size($s)"), Value(0));
    EXPECT_FALSE(run("$a[-1] = 2;"));
}

TEST_F(ScriptTest, VectorsAddScaleDotCrossAndExposeComponents) {
    ASSERT_TRUE(run("vector $a = <<1, 0, 0>>; vector $b = <<0, 1, 0>>;"));
    EXPECT_EQ(value("$a + $b"), Value(Vector3{1, 1, 0}));
    EXPECT_EQ(value("$a * 3"), Value(Vector3{3, 0, 0}));
    EXPECT_EQ(value("$a * $b"), Value(0.0));
    EXPECT_EQ(value("$a ^ $b"), Value(Vector3{0, 0, 1}));
    EXPECT_EQ(value("-$b"), Value(Vector3{0, -1, 0}));
    EXPECT_EQ(value("($a + $b).y"), Value(1.0));
    EXPECT_EQ(value("$b.y * 2"), Value(2.0));
}

TEST_F(ScriptTest, ControlFlowLoopsBreakContinueAndSwitch) {
    ASSERT_TRUE(run(R"(
        int $sum = 0;
        for ($i = 0; $i < 10; $i++) {
            if ($i == 2) continue;
            if ($i > 5) break;
            $sum += $i;
        }
        int $n = 0;
        while ($n < 3) $n++;
        do { $n--; } while ($n > 10);
        string $seen = "";
        string $words[] = {"a", "b", "c"};
        for ($w in $words) $seen += $w;
        string $kind;
        switch ($n) {
        case 1: $kind = "one"; break;
        case 2: $kind = "two";
        case 3: $kind += "three"; break;
        default: $kind = "other";
        }
    )"));
    EXPECT_EQ(value("$sum"), Value(0 + 1 + 3 + 4 + 5));
    EXPECT_EQ(value("$i"), Value(6)); // the loop variable outlives the loop
    EXPECT_EQ(value("$n"), Value(2));
    EXPECT_EQ(value("$seen"), Value("abc"));
    EXPECT_EQ(value("$kind"), Value("twothree"));
}

TEST_F(ScriptTest, BlocksScopeLocalsAndGlobalsNeedADeclarationInEachScope) {
    ASSERT_TRUE(run(R"(
        global int $gCount = 5;
        global proc int readGlobal() { global int $gCount; $gCount++; return $gCount; }
        { int $inner = 3; }
    )"));
    EXPECT_EQ(value("readGlobal()"), Value(6));
    EXPECT_EQ(value("$gCount"), Value(6));
    EXPECT_FALSE(run("print $inner;"));
    EXPECT_FALSE(run("global proc leak() { print $gCount; } leak();"));
    EXPECT_NE(err().find("\"$gCount\" is an undeclared variable."), std::string::npos);
}

TEST_F(ScriptTest, ProcsTakeTypedParametersAndArraysByReference) {
    ASSERT_TRUE(run(R"(
        global proc string[] twice(string $s, int $n) {
            string $out[];
            for ($i = 0; $i < $n; $i++) $out[$i] = $s;
            return $out;
        }
        global proc addOne(int $values[]) { $values[size($values)] = 1; }
        global proc float half(float $x) { return $x / 2; }
        global proc int fact(int $n) { if ($n <= 1) return 1; return $n * fact($n - 1); }
        int $list[] = {5};
        addOne($list);
        addOne $list;
    )"));
    EXPECT_EQ(value("twice(\"ab\", 2)"), Value(std::vector<std::string>{"ab", "ab"}));
    EXPECT_EQ(value("$list"), Value(std::vector<int>{5, 1, 1}));
    EXPECT_EQ(value("half(3)"), Value(1.5));
    EXPECT_EQ(value("half \"5\""), Value(2.5)); // command form converts words to parameters
    EXPECT_EQ(value("fact(6)"), Value(720));
    EXPECT_FALSE(run("half(1, 2);"));
    EXPECT_NE(err().find("Wrong number of arguments on call to half."), std::string::npos);
    EXPECT_FALSE(run("global proc loop(int $n) { loop($n + 1); } loop(0);"));
    EXPECT_NE(err().find("nested too deeply"), std::string::npos);
}

TEST_F(ScriptTest, CommandFormPassesWordsNumbersAndExpressions) {
    stub("setAttr");
    ASSERT_TRUE(
        run("string $node = \"n1\"; int $v = 4;\n"
            "setAttr -lock true ($node + \".width\") -type \"string\" |a|b.vtx[3] -2.5 $v;"));
    ASSERT_EQ(calls_.size(), 1u);
    const CommandCall& call = calls_[0];
    EXPECT_FALSE(call.functionForm);
    ASSERT_EQ(call.args.size(), 8u);
    EXPECT_EQ(call.args[0].value, Value("-lock"));
    EXPECT_TRUE(call.args[0].word);
    EXPECT_EQ(call.args[1].value, Value("true"));
    EXPECT_EQ(call.args[2].value, Value("n1.width"));
    EXPECT_FALSE(call.args[2].word);
    EXPECT_EQ(call.args[4].value, Value("string"));
    EXPECT_FALSE(call.args[4].word);
    EXPECT_EQ(call.args[5].value, Value("|a|b.vtx[3]"));
    EXPECT_EQ(call.args[6].value, Value(-2.5));
    EXPECT_TRUE(call.args[6].word);
    EXPECT_EQ(call.args[7].value, Value(4));
    EXPECT_FALSE(call.args[7].word);
    ASSERT_TRUE(run("setAttr(\"a.b\", 1 + 1);"));
    EXPECT_TRUE(calls_[1].functionForm);
    EXPECT_EQ(calls_[1].args[1].value, Value(2));
}

TEST_F(ScriptTest, BackQuotesGiveTheCommandResult) {
    stub("ls", Value(std::vector<std::string>{"pPlane1", "pCube1"}));
    stub("objExists", Value(1));
    ASSERT_TRUE(run("string $all[] = `ls -type transform`; int $e = `objExists $all[1]`;"));
    EXPECT_EQ(value("$all[1]"), Value("pCube1"));
    EXPECT_EQ(value("$e"), Value(1));
    EXPECT_EQ(callsOf("objExists"), std::vector<std::string>{"pCube1"});
    EXPECT_EQ(callsOf("ls"), std::vector<std::string>{"-type transform"});
    ASSERT_TRUE(run("print `ls`;")) << err(); // a back-quoted argument in command form
    EXPECT_EQ(out(), "pPlane1\npCube1\n");
}

TEST_F(ScriptTest, EvalRunsTextAndGivesItsLastResult) {
    ASSERT_TRUE(
        run("string $cmd = \"int $made = 40 + 2\"; eval($cmd); int $r = `eval \"abs -3\"`;"));
    EXPECT_EQ(value("$made"), Value(42));
    EXPECT_EQ(value("$r"), Value(3));
    EXPECT_FALSE(run("eval \"nosuch 1\";"));
    EXPECT_NE(err().find("// Error: line 1: Cannot find procedure \"nosuch\"."), std::string::npos);
}

TEST_F(ScriptTest, CatchReportsFailureAndLetsTheScriptGoOn) {
    ASSERT_TRUE(run("int $bad = catch(`error \"boom\"`); int $good = catch(abs(-1));"
                    "int $quiet = catchQuiet(`nosuch`); print \"after\";"));
    EXPECT_EQ(value("$bad"), Value(1));
    EXPECT_EQ(value("$good"), Value(0));
    EXPECT_EQ(value("$quiet"), Value(1));
    EXPECT_EQ(out(), "after");
    EXPECT_NE(err().find("// Error: line 1: boom"), std::string::npos);
    EXPECT_EQ(err().find("nosuch"), std::string::npos);
}

TEST_F(ScriptTest, ErrorsStopTheScriptAndNameTheLine) {
    EXPECT_FALSE(run("print \"a\";\nprint \"b\";\nerror \"stop here\";\nprint \"c\";"));
    EXPECT_EQ(out(), "ab");
    EXPECT_EQ(err(), "// Error: line 3: stop here\n");
    EXPECT_FALSE(run("int $x = 1;\n\nif ($x {"));
    EXPECT_NE(err().find("// Error: line 3: Syntax error"), std::string::npos);
    EXPECT_FALSE(run("\n  foo 1 2;"));
    EXPECT_NE(err().find("// Error: line 2: Cannot find procedure \"foo\"."), std::string::npos);
}

TEST_F(ScriptTest, AFailingCommandStopsTheScriptWithItsOwnMessage) {
    table().add("failQuietly", [](const CommandCall&, Value&) { return MStatus(MS::kFailure); });
    EXPECT_FALSE(run("failQuietly;\nprint \"never\";"));
    EXPECT_EQ(out(), "");
    EXPECT_EQ(err(), "// Error: line 1: \"failQuietly\" command failed.\n");
    table().remove("failQuietly");
}

TEST_F(ScriptTest, WarningsArePlainAndDoNotStop) {
    ASSERT_TRUE(run("warning \"careful\"; print \"done\\n\";"));
    EXPECT_EQ(err(), "// Warning: careful\n");
    EXPECT_EQ(out(), "done\n");
}

TEST_F(ScriptTest, ExistsKnowsCommandsProcsAndLanguageProcedures) {
    ASSERT_TRUE(run("global proc mine() {}"));
    EXPECT_EQ(value("exists(\"mine\")"), Value(1));
    EXPECT_EQ(value("exists(\"print\")"), Value(1));
    EXPECT_EQ(value("exists(\"tokenize\")"), Value(1));
    EXPECT_EQ(value("exists(\"notThere\")"), Value(0));
}

TEST_F(ScriptTest, StandardProcedures) {
    ASSERT_TRUE(run("string $parts[]; int $n = tokenize(\"a,b,,c\", \",\", $parts);"
                    "string $words[]; tokenize(\"  x y \", $words);"));
    EXPECT_EQ(value("$n"), Value(3));
    EXPECT_EQ(value("$parts"), Value(std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(value("$words"), Value(std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(value("substring(\"abcdef\", 2, 4)"), Value("bcd"));
    EXPECT_EQ(value("substring(\"abc\", 2, 9)"), Value("bc"));
    EXPECT_EQ(value("strcmp(\"a\", \"b\")"), Value(-1));
    EXPECT_EQ(value("gmatch(\"pPlaneShape1\", \"*Shape?\")"), Value(1));
    EXPECT_EQ(value("match(\"[0-9]+\", \"abc123def\")"), Value("123"));
    EXPECT_EQ(value("substitute(\"Shape\", \"pPlaneShape1\", \"\")"), Value("pPlane1"));
    EXPECT_EQ(value("abs(-2)"), Value(2));
    EXPECT_EQ(value("abs(-2.5)"), Value(2.5));
    EXPECT_EQ(value("min(2, 3)"), Value(2));
    EXPECT_EQ(value("max(2, 3.5)"), Value(3.5));
    EXPECT_EQ(value("clamp(0, 1, 1.5)"), Value(1.0));
    EXPECT_EQ(value("sqrt(16)"), Value(4.0));
    EXPECT_EQ(value("floor(-1.5) + ceil(1.2)"), Value(0.0));
    EXPECT_EQ(value("pow(2, 10)"), Value(1024.0));
    EXPECT_EQ(value("toupper(\"aB\") + tolower(\"Cd\")"), Value("ABcd"));
    EXPECT_EQ(value("strip(\"  a b \")"), Value("a b"));
    EXPECT_EQ(value("startsWith(\"RVOption_x\", \"RVOption_\")"), Value(1));
    EXPECT_EQ(value("endsWith(\"a.mel\", \".txt\")"), Value(0));
    EXPECT_FALSE(run("match(\"(\", \"x\");"));
    EXPECT_NE(err().find("invalid regular expression"), std::string::npos);
}

TEST_F(ScriptTest, SessionVariablesPersistBetweenRuns) {
    ASSERT_TRUE(run("string $node = \"KVHeightMapUI\";"));
    ASSERT_TRUE(run("string $node = \"again\"; print $node;"));
    EXPECT_EQ(out(), "again");
}

TEST_F(ScriptTest, ScriptCompletenessForTheInteractiveReader) {
    auto& interpreter = rvhost::script::Interpreter::instance();
    EXPECT_FALSE(interpreter.isComplete("if (1) {\n print 1;\n"));
    EXPECT_FALSE(interpreter.isComplete("global proc f()"));
    EXPECT_TRUE(interpreter.isComplete("if (1) {\n print 1;\n}\n"));
    EXPECT_TRUE(interpreter.isComplete("print 1"));
    EXPECT_TRUE(interpreter.isComplete("int $x = 1 +;")); // an error, not an unfinished text
}
