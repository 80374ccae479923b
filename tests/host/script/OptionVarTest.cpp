#include "ScriptFixture.h"
#include "TempFolder.h"

#include "script/OptionVars.h"

#include <maya/MGlobal.h>

#include <cstdlib>

using rvhost::script::OptionVars;

// Points RVHOST_PREFS at a file of a temporary folder (or nowhere) for one test.
class OptionVarTest : public ScriptTest {
protected:
    ~OptionVarTest() override {
        unsetenv("RVHOST_PREFS");
        OptionVars::instance().reload();
    }

    void usePrefs(const std::string& file) {
        if (file.empty())
            unsetenv("RVHOST_PREFS");
        else
            setenv("RVHOST_PREFS", file.c_str(), 1);
        OptionVars::instance().reload();
    }

    TempFolder folder_{"rvhost_prefs"};
};

TEST_F(OptionVarTest, CommandSetsQueriesAndRemoves) {
    ASSERT_TRUE(run("optionVar -iv RVOption_radius 12 -fv RVOption_value 0.25 "
                    "-sv RVOption_ramp \"0,1,2\";"));
    EXPECT_EQ(value("`optionVar -q RVOption_radius`"), Value(12));
    EXPECT_EQ(value("`optionVar -q RVOption_value`"), Value(0.25));
    EXPECT_EQ(value("`optionVar -q RVOption_ramp`"), Value("0,1,2"));
    EXPECT_EQ(value("`optionVar -ex RVOption_ramp`"), Value(1));
    EXPECT_EQ(value("`optionVar -q RVOption_missing`"), Value(0));
    ASSERT_TRUE(run("optionVar -rm RVOption_ramp;"));
    EXPECT_EQ(value("`optionVar -exists RVOption_ramp`"), Value(0));
    ASSERT_TRUE(run("optionVar -iva list 1 -iva list 2; optionVar -sva names a;"));
    EXPECT_EQ(value("`optionVar -q list`"), Value(std::vector<int>{1, 2}));
    EXPECT_EQ(value("`optionVar -as list`"), Value(2));
    EXPECT_FALSE(run("optionVar -iv onlyName;"));
    EXPECT_FALSE(run("optionVar -bogus x;"));
    EXPECT_NE(err().find("optionVar: invalid flag \"-bogus\"."), std::string::npos);
}

TEST_F(OptionVarTest, ApiReadsWhatScriptsWriteAndTheOtherWayRound) {
    ASSERT_TRUE(run("optionVar -iv RVOption_mode 3 -sv RVOption_name \"7up\";"));
    bool exists = false;
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_mode", &exists), 3);
    EXPECT_TRUE(exists);
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_name"), 7);
    EXPECT_DOUBLE_EQ(MGlobal::optionVarDoubleValue("RVOption_mode"), 3.0);
    EXPECT_EQ(MGlobal::optionVarStringValue("nothing", &exists), "");
    EXPECT_FALSE(exists);
    EXPECT_TRUE(MGlobal::setOptionVarValue("TVRVInfo_MLLVersion", MString("v1.0050")));
    EXPECT_TRUE(MGlobal::setOptionVarValue("f", 2.5));
    EXPECT_EQ(value("`optionVar -q TVRVInfo_MLLVersion`"), Value("v1.0050"));
    EXPECT_EQ(value("`optionVar -q f`"), Value(2.5));
    MGlobal::removeOptionVar("f");
    MGlobal::optionVarDoubleValue("f", &exists);
    EXPECT_FALSE(exists);
}

TEST_F(OptionVarTest, PreferencesFileKeepsValuesBetweenSessions) {
    std::string prefs = (folder_.path() / "prefs.txt").string();
    usePrefs(prefs);
    MGlobal::setOptionVarValue("i", 42);
    MGlobal::setOptionVarValue("f", 0.1);
    MGlobal::setOptionVarValue("s", MString("tab\there\nline \\ end"));
    ASSERT_TRUE(run("optionVar -sva list \"a b\" -sva list \"\" -fva floats 1.5;"));
    OptionVars::instance().reload(); // a new session reading the same file
    EXPECT_EQ(MGlobal::optionVarIntValue("i"), 42);
    EXPECT_EQ(MGlobal::optionVarDoubleValue("f"), 0.1);
    EXPECT_EQ(MGlobal::optionVarStringValue("s"), "tab\there\nline \\ end");
    EXPECT_EQ(value("`optionVar -q list`"), Value(std::vector<std::string>{"a b", ""}));
    EXPECT_EQ(value("`optionVar -q floats`"), Value(std::vector<double>{1.5}));

    // Without RVHOST_PREFS nothing is read or written.
    usePrefs("");
    EXPECT_EQ(MGlobal::optionVarIntValue("i"), 0);
    MGlobal::setOptionVarValue("only", 1);
    usePrefs(prefs);
    bool exists = true;
    MGlobal::optionVarIntValue("only", &exists);
    EXPECT_FALSE(exists);
}

TEST_F(OptionVarTest, UnreadableLinesAreSkippedWithAWarning) {
    std::string prefs = folder_.write("prefs.txt", "iv\tgood\t5\nzz\tbad\n");
    usePrefs(prefs);
    EXPECT_EQ(MGlobal::optionVarIntValue("good"), 5);
    EXPECT_NE(err().find("line 2: unreadable option variable skipped."), std::string::npos);
}
