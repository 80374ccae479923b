#include "platformcmd/PlatformCommands.h"

#include "rvplatform/RegistryFile.h"
#include "script/Output.h"

#include <maya/MQtUtil.h>

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTabletEvent>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using rvhost::script::Argument;
using rvhost::script::CommandCall;
using rvhost::script::CommandTable;
using rvhost::script::Value;

namespace {

const char kKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product";

// Runs the commands as the interpreter does in command form, catching their messages.
class PlatformCommands : public ::testing::Test {
protected:
    PlatformCommands()
        : file_(std::filesystem::temp_directory_path() /
                ("rvcmd-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini")),
          redirect_(out_, err_) {
        setenv("RVHOST_REGISTRY", file_.c_str(), 1);
        rvhost::platformcmd::registerPlatformCommands(table_);
    }
    ~PlatformCommands() override {
        unsetenv("RVHOST_REGISTRY");
        std::filesystem::remove(file_);
    }

    MStatus run(const std::string& name, std::vector<Value> values) {
        CommandCall call;
        call.name = name;
        for (auto& v : values)
            call.args.push_back(Argument{std::move(v), false});
        result_ = Value();
        return (*table_.find(name))(call, result_);
    }
    std::string fileText() const {
        std::ifstream in(file_);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path file_;
    std::ostringstream out_, err_;
    rvhost::script::OutputRedirect redirect_;
    CommandTable table_;
    Value result_;
};

TEST_F(PlatformCommands, RegistrySetQueryRemove) {
    ASSERT_TRUE(run("hostRegistry", {"-set", kKey, "InstallPath", "C:\\Ravelin\\"}));
    ASSERT_TRUE(run("hostRegistry", {"-set", kKey, "Build", 1050}));
    EXPECT_NE(fileText().find("InstallPath=sz:C:\\Ravelin\\\n"), std::string::npos) << fileText();
    EXPECT_NE(fileText().find("Build=dword:1050\n"), std::string::npos);

    ASSERT_TRUE(run("hostRegistry", {"-q", kKey, "installpath"}));
    EXPECT_EQ(result_, Value("C:\\Ravelin\\"));
    ASSERT_TRUE(run("hostRegistry", {"-query", kKey, "Build"}));
    EXPECT_EQ(result_, Value(1050));

    ASSERT_TRUE(run("hostRegistry", {"-remove", kKey, "Build"}));
    EXPECT_EQ(result_, Value(1));
    EXPECT_FALSE(run("hostRegistry", {"-q", kKey, "Build"}));
    EXPECT_NE(err_.str().find("no value \"Build\""), std::string::npos) << err_.str();
    ASSERT_TRUE(run("hostRegistry", {"-remove", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker"}));
    EXPECT_EQ(result_, Value(1));
    EXPECT_FALSE(rvplatform::RegistryFile::load(file_).keyExists(kKey));
    ASSERT_TRUE(run("hostRegistry", {"-remove", kKey}));
    EXPECT_EQ(result_, Value(0));
}

TEST_F(PlatformCommands, RegistryBadInputChangesNothing) {
    ASSERT_TRUE(run("hostRegistry", {"-set", kKey, "A", "1"}));
    const std::string before = fileText();
    EXPECT_FALSE(run("hostRegistry", {"-set", "SOFTWARE\\Maker", "A", "1"}));
    EXPECT_FALSE(run("hostRegistry", {"-set", kKey, "B=C", "1"}));
    EXPECT_FALSE(run("hostRegistry", {"-set", kKey, "D", -1}));
    EXPECT_FALSE(run("hostRegistry", {"-set", kKey, "E"}));
    EXPECT_FALSE(run("hostRegistry", {"-set", kKey, "F", "1", "extra"}));
    EXPECT_FALSE(run("hostRegistry", {"-frobnicate", kKey}));
    EXPECT_FALSE(run("hostRegistry", {}));
    EXPECT_EQ(fileText(), before);
    EXPECT_NE(err_.str().find("// Error: hostRegistry: "), std::string::npos) << err_.str();

    // A hand-edited file with an unreadable line is never rewritten (its line would be lost).
    std::ofstream(file_, std::ios::app) << "not a value line\n";
    const std::string edited = fileText();
    EXPECT_FALSE(run("hostRegistry", {"-set", kKey, "G", "1"}));
    EXPECT_FALSE(run("hostRegistry", {"-remove", kKey}));
    EXPECT_EQ(fileText(), edited);
    ASSERT_TRUE(run("hostRegistry", {"-q", kKey, "A"}));
    EXPECT_EQ(result_, Value("1"));
}

struct Recorded {
    int type;
    double pressure;
    int xTilt, yTilt, pointer;
    QPointF position;
};

class TabletRecorder : public QObject {
public:
    TabletRecorder() { MQtUtil::mainWindow()->installEventFilter(this); }
    ~TabletRecorder() override { MQtUtil::mainWindow()->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (auto* e = dynamic_cast<QTabletEvent*>(event))
            seen.push_back({int(e->type()), e->pressure(), e->xTilt(), e->yTilt(),
                            int(e->pointerType()), e->posF()});
        if (auto* m = dynamic_cast<QMouseEvent*>(event))
            mice.push_back({int(m->type()), m->localPos(), int(m->source()), int(m->modifiers()),
                            int(m->buttons()), int(seen.size())});
        return false;
    }
    struct Mouse {
        int type;
        QPointF position;
        int source, modifiers, buttons;
        int tabletEventsBefore;
    };
    std::vector<Recorded> seen;
    std::vector<Mouse> mice;
};

TEST_F(PlatformCommands, TabletSendsEventsWithEveryField) {
    TabletRecorder recorder;
    ASSERT_TRUE(run("hostTablet", {"-press", 320, 240.5, "-pressure", 0.5, "-xTilt", -45, "-yTilt",
                                   30, "-pointer", "eraser"}));
    ASSERT_TRUE(run("hostTablet", {"-move", "321", 241}));
    ASSERT_TRUE(run("hostTablet", {"-pointer", "cursor", "-release", 322, 242, "-pressure", 0}));
    ASSERT_EQ(recorder.seen.size(), 3u);
    const Recorded& press = recorder.seen[0];
    EXPECT_EQ(press.type, 92);
    EXPECT_DOUBLE_EQ(press.pressure, 0.5);
    EXPECT_EQ(press.xTilt, -45);
    EXPECT_EQ(press.yTilt, 30);
    EXPECT_EQ(press.pointer, 3);
    EXPECT_EQ(press.position, QPointF(320, 240.5));
    // Unset fields take a pen touching straight down with full pressure.
    const Recorded& move = recorder.seen[1];
    EXPECT_EQ(move.type, 87);
    EXPECT_DOUBLE_EQ(move.pressure, 1.0);
    EXPECT_EQ(move.xTilt, 0);
    EXPECT_EQ(move.pointer, 1);
    EXPECT_EQ(move.position, QPointF(321, 241));
    EXPECT_EQ(recorder.seen[2].type, 93);
    EXPECT_EQ(recorder.seen[2].pointer, 2);
    EXPECT_DOUBLE_EQ(recorder.seen[2].pressure, 0.0);
}

// Each tablet event is followed by the mouse event the window system makes from it.
TEST_F(PlatformCommands, TabletEventsAreFollowedBySynthesisedMouseEvents) {
    TabletRecorder recorder;
    ASSERT_TRUE(run("hostTablet", {"-move", 5, 6}));
    ASSERT_TRUE(run("hostTablet", {"-press", 10, 20, "-shift"}));
    ASSERT_TRUE(run("hostTablet", {"-move", 11, 21, "-ctrl"}));
    ASSERT_TRUE(run("hostTablet", {"-release", 12, 22}));
    // Qt keeps a move without buttons from a window that does not track the mouse, so the
    // hovering pen's move is not seen; the other three are.
    ASSERT_EQ(recorder.mice.size(), 3u);
    const int types[] = {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease};
    const int buttons[] = {Qt::LeftButton, Qt::LeftButton, 0};
    const int modifiers[] = {Qt::ShiftModifier, Qt::ControlModifier, 0};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(recorder.mice[k].type, types[k]);
        EXPECT_EQ(recorder.mice[k].tabletEventsBefore, k + 2);
        EXPECT_EQ(recorder.mice[k].source, int(Qt::MouseEventSynthesizedBySystem));
        EXPECT_EQ(recorder.mice[k].buttons, buttons[k]);
        EXPECT_EQ(recorder.mice[k].modifiers, modifiers[k]);
    }
    EXPECT_EQ(recorder.mice[0].position, QPointF(10, 20));
    EXPECT_EQ(recorder.mice[2].position, QPointF(12, 22));
}

TEST_F(PlatformCommands, TabletRefusesBadInputAndSendsNothing) {
    TabletRecorder recorder;
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-pressure", 1.5}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-xTilt", 61}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-yTilt", 2.5}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-pointer", "mouse"}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, "-pressure", 1}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-move", 3, 4}));
    EXPECT_FALSE(run("hostTablet", {"-pressure", 0.5}));
    EXPECT_FALSE(run("hostTablet", {"-press", "x", 2}));
    EXPECT_FALSE(run("hostTablet", {"-press", 1, 2, "-alt"}));
    EXPECT_FALSE(run("hostTablet", {"-release", 1, 2})); // the pen is not down
    EXPECT_TRUE(recorder.seen.empty());
    EXPECT_TRUE(recorder.mice.empty());
    EXPECT_NE(err_.str().find("// Error: hostTablet: "), std::string::npos) << err_.str();
}

} // namespace
