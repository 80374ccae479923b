#include "ScriptFixture.h"
#include "TempFolder.h"

#include "script/Value.h"

using rvhost::script::Interpreter;
using rvhost::script::quoteForScript;

TEST_F(ScriptTest, SourceFindsFilesBesideTheSourcingFile) {
    TempFolder folder("rvhost_source");
    folder.write("lib/helpers.mel",
                 "global proc string greet(string $who) { return \"hi \" + $who; }\n");
    std::string main = folder.write("lib/main.mel", "source \"helpers.mel\";\nsource helpers;\n"
                                                    "print (greet(\"there\") + \"\\n\");\n");
    ASSERT_TRUE(Interpreter::instance().executeFile(main)) << err();
    EXPECT_EQ(out(), "hi there\n");
    ASSERT_TRUE(run("source " + quoteForScript(main) + ";")) << err();
    EXPECT_FALSE(run("source \"no/such/file.mel\";"));
    EXPECT_NE(err().find("Cannot find file \"no/such/file.mel\" for source statement."),
              std::string::npos);
}

TEST_F(ScriptTest, ErrorsInFilesNameTheFileAndLine) {
    TempFolder folder("rvhost_errors");
    std::string demo =
        folder.write("demo.mel", "print \"a\";\n\n// a comment\nfoo;\nprint \"b\";\n");
    EXPECT_FALSE(Interpreter::instance().executeFile(demo));
    EXPECT_EQ(out(), "a");
    EXPECT_EQ(err(), "// Error: file: " + demo + " line 4: Cannot find procedure \"foo\".\n");

    // A proc's error names the file that defined it, at the proc's line.
    std::string lib = folder.write("lib.mel", "global proc broken() {\n  int $x = \"a\" - 1;\n}\n");
    ASSERT_TRUE(run("source " + quoteForScript(lib) + ";"));
    EXPECT_FALSE(run("broken;"));
    EXPECT_NE(err().find("// Error: file: " + lib + " line 2: Illegal operation \"-\""),
              std::string::npos);

    std::string bad = folder.write("bad.mel", "int $a = 1;\nif ($a) {\n  print 1;\n");
    EXPECT_FALSE(Interpreter::instance().executeFile(bad));
    EXPECT_NE(err().find("// Error: file: " + bad + " line 4: Syntax error"), std::string::npos);
}

TEST_F(ScriptTest, FilesHaveTheirOwnTopScopeAndLocalProcs) {
    TempFolder folder("rvhost_scope");
    std::string a =
        folder.write("a.mel", "string $x = \"a\";\nproc string who() { return \"a\"; }\n"
                              "global proc string fromA() { return who(); }\n");
    std::string b = folder.write("b.mel", "int $x = 2;\nproc string who() { return \"b\"; }\n"
                                          "print (who() + fromA());\n");
    ASSERT_TRUE(Interpreter::instance().executeFile(a)) << err();
    ASSERT_TRUE(Interpreter::instance().executeFile(b)) << err();
    EXPECT_EQ(out(), "ba");
    EXPECT_FALSE(run("who();"));
}
