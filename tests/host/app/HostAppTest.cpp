#include "../script/ScriptFixture.h"
#include "TempFolder.h"

#include "app/HostApp.h"
#include "app/Startup.h"

#include <malloc.h>

#include <memory>
#include <vector>

using rvhost::HostApp;

class HostAppTest : public ScriptTest {
protected:
    HostAppTest() { rvhost::startHost(); }

    int runApp(const std::vector<std::string>& args, const std::string& input = "") {
        std::istringstream in(input);
        return HostApp().run(args, in);
    }
};

TEST_F(HostAppTest, BadUsageExitsWithTwoAndShowsTheUsage) {
    EXPECT_EQ(runApp({}), HostApp::kUsage);
    EXPECT_EQ(runApp({"-c"}), HostApp::kUsage);
    EXPECT_EQ(runApp({"-x", "-c", "print 1;"}), HostApp::kUsage);
    EXPECT_EQ(out(), ""); // nothing ran
    EXPECT_NE(err().find("rvhost: unknown option \"-x\"."), std::string::npos);
    EXPECT_NE(err().find("rvhost: -c needs a value."), std::string::npos);
    EXPECT_NE(err().find(HostApp::usage()), std::string::npos);
    EXPECT_EQ(runApp({"--help"}), HostApp::kOk);
    EXPECT_EQ(out(), HostApp::usage());
}

TEST_F(HostAppTest, TextsAndFilesRunInOrderAndTheFirstErrorStopsAll) {
    TempFolder folder("rvhost_app");
    std::string script = folder.write("s.mel", "print \"file\\n\";\n");
    EXPECT_EQ(runApp({"-c", "print \"one\\n\";", script, "-c", "print \"two\\n\";"}), HostApp::kOk);
    EXPECT_EQ(out(), "one\nfile\ntwo\n");

    std::string broken = folder.write("broken.mel", "print \"before\\n\";\nerror \"bad\";\n");
    EXPECT_EQ(runApp({broken, "-c", "print \"after\\n\";"}), HostApp::kScriptError);
    EXPECT_EQ(out(), "one\nfile\ntwo\nbefore\n");
    EXPECT_NE(err().find("// Error: file: " + broken + " line 2: bad\n"), std::string::npos);

    EXPECT_EQ(runApp({(folder.path() / "missing.mel").string()}), HostApp::kScriptError);
    EXPECT_NE(err().find("Cannot open file"), std::string::npos);
}

TEST_F(HostAppTest, InteractiveInputRunsWholeStatementsAndRemembersErrors) {
    std::string input = "global proc say(string $s)\n{\n  print ($s + \"\\n\");\n}\n"
                        "say \"hello\";\n"
                        "nosuch;\n"
                        "for ($i = 0; $i < 2; $i++)\n  say $i;\n"
                        "print \"last\"";
    EXPECT_EQ(runApp({"-i"}, input), HostApp::kScriptError);
    EXPECT_EQ(out(), "hello\n0\n1\nlast");
    EXPECT_NE(err().find("Cannot find procedure \"nosuch\"."), std::string::npos);
    EXPECT_EQ(runApp({"-c", "int $x = 5;", "-i"}, "print $x;\n"), HostApp::kOk);
}

TEST_F(HostAppTest, APlugInThatCannotBeLoadedStopsTheProgram) {
    EXPECT_EQ(runApp({"-p", "/no/such/plugin.so", "-c", "print \"ran\";"}), HostApp::kScriptError);
    EXPECT_EQ(out(), "");
    EXPECT_NE(err().find("/no/such/plugin.so"), std::string::npos);
}

TEST_F(HostAppTest, HostClockCanBeDrivenByHand) {
    ASSERT_TRUE(run("hostClock -manual on; float $t0 = `hostClock -q`; hostClock -advance 2.5;"
                    "float $t1 = `hostClock -q`; int $manual = `hostClock -q -manual`;"));
    // The readings are seconds since the machine started, so their difference carries
    // the rounding of numbers that size.
    EXPECT_NEAR(value("$t1 - $t0").asFloat(), 2.5, 1e-9);
    EXPECT_EQ(value("$manual"), Value(1));
    EXPECT_FALSE(run("hostClock -advance -1;"));
    EXPECT_FALSE(run("hostClock -manual maybe;"));
    ASSERT_TRUE(run("hostClock -manual off;"));
    EXPECT_EQ(value("`hostClock -q -manual`"), Value(0));
}

// The host's heap keeps freed memory for the next big allocation instead of handing it
// back to the system. (The sanitizers bring their own allocator, which keeps no such
// account.)
TEST_F(HostAppTest, TheHeapKeepsWhatItFrees) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's allocator replaces the C library's";
#else
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int k = 0; k < 64; ++k) {
        blocks.emplace_back(new char[1 << 20]);
        blocks.back()[0] = 1;
    }
    const size_t freeBefore = mallinfo2().fordblks;
    blocks.clear();
    EXPECT_GE(mallinfo2().fordblks, freeBefore + (size_t(60) << 20));
#endif
}

// --window: --on-close belongs to it, and without a display it stops before anything runs
// (nor is the off-screen host disturbed).
TEST_F(HostAppTest, WindowFlagsAreCheckedBeforeAnythingRuns) {
    EXPECT_EQ(runApp({"-c", "print 1;", "--on-close", "print 2;"}), HostApp::kUsage);
    EXPECT_NE(err().find("rvhost: --on-close needs --window."), std::string::npos);
    EXPECT_EQ(runApp({"-c", "print 1;", "--window", "--on-close"}), HostApp::kUsage);
    EXPECT_NE(err().find("rvhost: --on-close needs a value."), std::string::npos);
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(runApp({"-c", "print 1;", "--window"}), HostApp::kUsage);
    if (display) setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_NE(err().find("rvhost: --window: no display: DISPLAY is not set."), std::string::npos);
    EXPECT_EQ(out(), "");
}
