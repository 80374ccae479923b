#include <maya/M3dView.h>

#include "script/CommandTable.h"
#include "view/ViewCommands.h"
#include "view/ViewPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using rvhost::ViewPort;
using rvhost::script::Argument;
using rvhost::script::Value;

namespace {

Argument word(const char* text) {
    return {Value(text), true};
}
Argument number(double v) {
    return {Value(v), false};
}

class HostView : public ::testing::Test {
protected:
    void SetUp() override {
        ViewPort::active().reset();
        rvhost::registerViewCommands(table);
    }
    void TearDown() override { ViewPort::active().reset(); }

    MStatus run(std::vector<Argument> args) {
        result = Value();
        rvhost::script::CommandCall call{"hostView", std::move(args), false};
        return (*table.find("hostView"))(call, result);
    }

    rvhost::script::CommandTable table;
    Value result;
};

} // namespace

TEST_F(HostView, SettingsThenWorldToViewGiveTheWorkedExample) {
    ASSERT_TRUE(run({word("-camera"), number(0), number(10), number(0), number(0), number(0),
                     number(0), number(0), number(0), number(-1), word("-ortho"), number(32),
                     word("-size"), number(640), number(480)}));
    ASSERT_TRUE(run({word("-worldToView"), number(2.3), number(0), number(1.2)}));
    EXPECT_EQ(result, Value(std::vector<int>{366, 216, 1}));
    // Numbers given as words (as a negative number may be) are read too.
    ASSERT_TRUE(run({word("-worldToView"), word("-40"), number(0), number(0)}));
    EXPECT_EQ(result.asIntArray().at(2), 0);

    ASSERT_TRUE(run({word("-q"), word("-camera")}));
    EXPECT_EQ(result, Value(std::vector<double>{0, 10, 0, 0, 0, 0, 0, 0, -1}));
    ASSERT_TRUE(run({word("-ortho"), word("-q")}));
    EXPECT_EQ(result, Value(32.0));
}

TEST_F(HostView, ABadArgumentChangesNothing) {
    EXPECT_FALSE(run({word("-ortho"), number(5), word("-size"), number(0), number(10)}));
    EXPECT_EQ(ViewPort::active().camera().projection(), rvhost::Camera::Projection::kPerspective);
    EXPECT_FALSE(run({word("-renderer"), word("opengl")}));
    EXPECT_FALSE(run({word("-size"), number(640.5), number(10)}));
    EXPECT_FALSE(run({word("-camera"), number(1), number(2)}));
    EXPECT_FALSE(run({word("-perspective"), word("wide")}));
    EXPECT_FALSE(run({word("-refreshCount")}));
    EXPECT_FALSE(run({word("-zoom"), number(2)}));
    EXPECT_FALSE(run({}));
    EXPECT_EQ(ViewPort::active().width(), 640);
    EXPECT_EQ(ViewPort::active().renderer(), ViewPort::Renderer::kLegacy);
}

TEST_F(HostView, QueriesReadTheView) {
    M3dView view = M3dView::active3dView();
    view.refresh();
    view.refresh(true, false);
    ASSERT_TRUE(run({word("-q"), word("-refreshCount")}));
    EXPECT_EQ(result, Value(2));
    ASSERT_TRUE(
        run({word("-renderer"), word("vp2-directx"), word("-size"), number(64), number(32)}));
    ASSERT_TRUE(run({word("-q"), word("-renderer")}));
    EXPECT_EQ(result, Value("vp2-directx"));
    ASSERT_TRUE(run({word("-query"), word("-size")}));
    EXPECT_EQ(result, Value(std::vector<int>{64, 32}));
    EXPECT_FALSE(run({word("-q"), word("-size"), word("-renderer")}));
}

TEST_F(HostView, SnapshotWritesAPngOfThePortSize) {
    const auto path = std::filesystem::temp_directory_path() / "rvhost_hostview_snapshot.png";
    std::filesystem::remove(path);
    ASSERT_TRUE(run({word("-size"), number(64), number(32), word("-snapshot"),
                     Argument{Value(path.string()), false}}));
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(header), sizeof header));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
    EXPECT_EQ((header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19], 64);
    EXPECT_EQ((header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23], 32);
    std::filesystem::remove(path);

    EXPECT_FALSE(run({word("-snapshot"), Argument{Value("/no/such/folder/x.png"), false}}));
}
