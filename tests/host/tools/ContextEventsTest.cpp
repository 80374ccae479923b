#include "ToolFixture.h"

#include <maya/MGlobal.h>

namespace rvhost::test {
namespace {

using script::Value;

class ContextEventsTest : public ToolFixture {};

TEST_F(ContextEventsTest, SetToolToCleansUpTheOldToolBeforeSettingUpTheNew) {
    addContext("first");
    addContext("second");
    Value current;
    ASSERT_EQ(run("currentCtx", &current), MS::kSuccess);
    EXPECT_EQ(current.asString(), "selectSuperContext");

    run("hostMouse -move 40 30");
    ASSERT_EQ(run("setToolTo first"), MS::kSuccess);
    ASSERT_EQ(run("setToolTo second"), MS::kSuccess);
    ASSERT_EQ(run("setToolTo selectSuperContext"), MS::kSuccess);

    const std::vector<Call> expected{
        {"first.setup", 40, 30}, {"first.cleanup"}, {"second.setup", 40, 30}, {"second.cleanup"}};
    EXPECT_EQ(log, expected);
    run("currentCtx", &current);
    EXPECT_EQ(current.asString(), "selectSuperContext");
}

TEST_F(ContextEventsTest, SetToolToAnUnknownContextFailsAndKeepsTheTool) {
    addContext("first");
    run("setToolTo first");
    log.clear();
    EXPECT_EQ(run("setToolTo nowhere"), MS::kFailure);
    EXPECT_NE(err.str().find("nowhere"), std::string::npos);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ContextRegistry::instance().currentName(), "first");
}

TEST_F(ContextEventsTest, ButtonEventsReachTheCurrentToolWithPositionAndModifiers) {
    addContext("tool");
    run("setToolTo tool");
    log.clear();
    Value result;
    ASSERT_EQ(run("hostMouse -press 10 20 -shift", &result), MS::kSuccess);
    EXPECT_EQ(result.asInt(), 0);
    run("hostMouse -drag 11 21 -ctrl");
    run("hostMouse -hold 11 21 -shift -ctrl");
    run("hostMouse -release 12 -3");

    const std::vector<Call> expected{{"tool.press", 10, 20, true, false},
                                     {"tool.drag", 11, 21, false, true},
                                     {"tool.hold", 11, 21, true, true},
                                     {"tool.release", 12, -3, false, false}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(Mouse::instance().x(), 12);
    EXPECT_FALSE(Mouse::instance().buttonDown());
}

TEST_F(ContextEventsTest, TheHandlersStatusIsTheCommandsResult) {
    RecordingContext& tool = addContext("tool");
    run("setToolTo tool");
    tool.answer = MS::kNotFound;
    Value result;
    ASSERT_EQ(run("hostMouse -press 1 1", &result), MS::kSuccess);
    EXPECT_EQ(result.asInt(), static_cast<int>(MS::kNotFound));
}

TEST_F(ContextEventsTest, ButtonEventsOutOfOrderAreRefused) {
    addContext("tool");
    run("setToolTo tool");
    log.clear();
    EXPECT_EQ(run("hostMouse -drag 1 1"), MS::kFailure);
    EXPECT_EQ(run("hostMouse -release 1 1"), MS::kFailure);
    EXPECT_EQ(run("hostMouse -press 1 1"), MS::kSuccess);
    EXPECT_EQ(run("hostMouse -press 2 2"), MS::kFailure);
    EXPECT_EQ(run("hostMouse -stroke 0 0 5 5 -steps 2"), MS::kFailure);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(Mouse::instance().x(), 1) << "a refused event must not move the mouse";
}

TEST_F(ContextEventsTest, BadArgumentsAreRefusedWithAMessage) {
    for (const char* line :
         {"hostMouse", "hostMouse -press 1", "hostMouse -press 1 2 -drag 3 4",
          "hostMouse -press 1.5 2", "hostMouse -press 1 40000", "hostMouse -stroke 0 0 1 1",
          "hostMouse -stroke 0 0 1 1 -steps 0", "hostMouse -press 1 2 -steps 3",
          "hostMouse -move 1 2 -shift", "hostMouse -wiggle 1 2", "setToolTo", "currentCtx extra"}) {
        err.str("");
        EXPECT_EQ(run(line), MS::kFailure) << line;
        EXPECT_NE(err.str().find("Error"), std::string::npos) << line;
    }
    EXPECT_FALSE(Mouse::instance().buttonDown());
}

TEST_F(ContextEventsTest, StrokeDragsEvenlyFromItsStartToItsEnd) {
    addContext("tool");
    run("setToolTo tool");
    log.clear();
    Value result;
    ASSERT_EQ(run("hostMouse -stroke 0 0 100 50 -steps 4 -ctrl", &result), MS::kSuccess);

    const std::vector<Call> expected{
        {"tool.press", 0, 0, false, true},   {"tool.drag", 25, 13, false, true},
        {"tool.drag", 50, 25, false, true},  {"tool.drag", 75, 38, false, true},
        {"tool.drag", 100, 50, false, true}, {"tool.release", 100, 50, false, true}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(result.asIntArray(), std::vector<int>(6, 0));
}

TEST_F(ContextEventsTest, Viewport2UsesTheNewerEntriesWhereTheToolHasThem) {
    addContext("newer", true);
    addContext("classic", false);
    ViewPort::active().setRenderer(ViewPort::Renderer::kVp2);

    run("setToolTo newer");
    run("hostMouse -stroke 0 0 4 0 -steps 1");
    run("setToolTo classic");
    run("hostMouse -stroke 0 0 4 0 -steps 1");
    ViewPort::active().setRenderer(ViewPort::Renderer::kLegacy);
    run("setToolTo newer");
    run("hostMouse -press 1 1");

    std::vector<std::string> seen;
    for (const Call& call : log)
        seen.push_back(call.what);
    const std::vector<std::string> expected{"newer.setup",     "newer.press2",  "newer.drag",
                                            "newer.release2",  "newer.cleanup", "classic.setup",
                                            "classic.press",   "classic.drag",  "classic.release",
                                            "classic.cleanup", "newer.setup",   "newer.press"};
    EXPECT_EQ(seen, expected);
}

TEST_F(ContextEventsTest, TheBuiltInToolIgnoresTheMouse) {
    Value result;
    ASSERT_EQ(run("hostMouse -stroke 0 0 9 9 -steps 3", &result), MS::kSuccess);
    EXPECT_EQ(result.asIntArray(), std::vector<int>(5, 0));
    EXPECT_EQ(Mouse::instance().x(), 9);
}

TEST_F(ContextEventsTest, RemovingAToolsCommandCleansUpTheCurrentTool) {
    addContext("tool");
    run("setToolTo tool");
    ContextRegistry::instance().removeMadeBy("testContext");
    EXPECT_EQ(log.back().what, "tool.cleanup");
    EXPECT_EQ(ContextRegistry::instance().currentName(), "selectSuperContext");
    EXPECT_FALSE(ContextRegistry::instance().exists("tool"));
}

TEST_F(ContextEventsTest, ContextNamesAreUniqueAndValid) {
    ContextRegistry& registry = ContextRegistry::instance();
    addContext("tool1");
    EXPECT_EQ(registry.uniqueName("tool"), "tool2");
    ContextRegistry::Entry twin;
    twin.context = std::make_unique<RecordingContext>("twin", log);
    EXPECT_NE(registry.add("tool1", std::move(twin)), MS::kSuccess);
    ContextRegistry::Entry bad;
    bad.context = std::make_unique<RecordingContext>("bad", log);
    EXPECT_NE(registry.add("1 bad", std::move(bad)), MS::kSuccess);
    EXPECT_EQ(registry.names(), (std::vector<std::string>{"selectSuperContext", "tool1"}));
}

TEST_F(ContextEventsTest, ScriptsDriveTheMouseInCommandAndFunctionForm) {
    addContext("tool");
    script::OutputRedirect redirect(out, err);
    ASSERT_EQ(MGlobal::executeCommand("setToolTo tool"), MS::kSuccess);
    MString current;
    ASSERT_EQ(MGlobal::executeCommand("currentCtx()", current), MS::kSuccess);
    EXPECT_EQ(current, "tool");
    int code = -1;
    ASSERT_EQ(MGlobal::executeCommand("hostMouse -press 3 -4 -shift", code), MS::kSuccess);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(MGlobal::executeCommand("hostMouse(\"-release\", -2, 7, \"-ctrl\")", code),
              MS::kSuccess);
    const std::vector<Call> expected{
        {"tool.setup"}, {"tool.press", 3, -4, true, false}, {"tool.release", -2, 7, false, true}};
    EXPECT_EQ(log, expected);
    EXPECT_NE(MGlobal::executeCommand("hostMouse -drag 1 1"), MS::kSuccess);
}

} // namespace
} // namespace rvhost::test
