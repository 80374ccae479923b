// The version check against servers started on 127.0.0.1: RVCheckVersion with -url, and the
// context command's -checkUpdate, which always asks the default address (pointed at the
// loopback server through its option variable). A short time-out keeps the failures fast.
// (The host hands a script no result from a failed command, so only the -checkUpdate query
// shows the 0 of a failed fetch.)
#include "../../platform/LoopbackServer.h"
#include "PluginHost.h"

#include <string>

namespace {

class VersionCheck : public PluginHostTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        MGlobal::setOptionVarValue("RVOption_versionCheckTimeout", 1);
        server.reply("/versioninfo/rv3dv1cv.txt", "200 OK", "1052\n");
    }
    void TearDown() override {
        MGlobal::removeOptionVar("RVOption_versionCheckTimeout");
        MGlobal::removeOptionVar("RVOption_versionCheckAddress");
        EXPECT_TRUE(ok("unloadPlugin Ravelin")) << err();
    }
    // The command's int result, and whether it succeeded.
    bool check(const std::string& url, int& result) {
        return MGlobal::executeCommand(MString(("RVCheckVersion -url \"" + url + "\"").c_str()),
                                       result, false, false) == MS::kSuccess;
    }

    LoopbackServer server;
};

TEST_F(VersionCheck, AnswersTheNumberTheServerSends) {
    int result = -1;
    ASSERT_TRUE(check(server.url("/versioninfo/rv3dv1cv.txt"), result)) << err();
    EXPECT_EQ(result, 1052);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].find("GET /versioninfo/rv3dv1cv.txt"), std::string::npos);
    EXPECT_NE(server.requests()[0].find("User-Agent: RavelinVersionQuery"), std::string::npos);
    EXPECT_NE(server.requests()[0].find("Cache-Control: no-cache"), std::string::npos);
}

TEST_F(VersionCheck, ALongReplyIsReadWholeBeforeItIsRead) {
    // 4500 bytes: digits up to the end, so a reply cut at 2000 or 4000 bytes reads otherwise.
    // It arrives in chunks of 1500 bytes, and is read in pieces of 2000.
    server.replyChunked("/long.txt", std::string(4499, '0') + "7", 1500);
    int result = -1;
    ASSERT_TRUE(check(server.url("/long.txt"), result));
    EXPECT_EQ(result, 7);
}

TEST_F(VersionCheck, AReplyThatIsNotANumberGivesZero) {
    server.reply("/text.txt", "200 OK", "newest: 1052");
    int result = -1;
    EXPECT_TRUE(check(server.url("/text.txt"), result));
    EXPECT_EQ(result, 0);
}

TEST_F(VersionCheck, NoServerFailsWithZero) {
    RefusingPort refusing;
    int result = -1;
    EXPECT_FALSE(check("http://127.0.0.1:" + std::to_string(refusing.port()) + "/v.txt", result));
}

TEST_F(VersionCheck, AServerThatNeverAnswersFailsWithinTheTimeOut) {
    LoopbackServer silent(true);
    int result = -1;
    EXPECT_FALSE(check(silent.url("/versioninfo/rv3dv1cv.txt"), result));
}

TEST_F(VersionCheck, TheContextQueryAsksTheConfiguredAddress) {
    ASSERT_TRUE(ok("RavelinContext rvTool"));
    MGlobal::setOptionVarValue("RVOption_versionCheckAddress",
                               MString(server.url("/versioninfo/rv3dv1cv.txt").c_str()));
    EXPECT_EQ(integer("RavelinContext -q -checkUpdate rvTool"), 1052);
    server.reply("/versioninfo/rv3dv1cv.txt", "200 OK", "  +1053 and more");
    EXPECT_EQ(integer("RavelinContext -q -cu rvTool"), 1053);
    RefusingPort refusing;
    MGlobal::setOptionVarValue("RVOption_versionCheckAddress",
                               MString(("http://127.0.0.1:" + std::to_string(refusing.port()) +
                                        "/versioninfo/rv3dv1cv.txt")
                                           .c_str()));
    EXPECT_EQ(integer("RavelinContext -q -cu rvTool"), 0);
}

} // namespace
