// Pen input: the event filter on the main window, the pen stage's worked figures, and pen
// strokes sent through hostTablet to the loaded plug-in.
#include "SculptSession.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVPenStage.h"

#include <maya/MQtUtil.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabletEvent>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace {

KVPenSetting setting(int source, int mode, double scale) {
    KVPenSetting s;
    s.enabled = true;
    s.source = source;
    s.mode = mode;
    s.scale = scale;
    return s;
}

TEST(PenStage, WorkedFigures) {
    RavelinManipNode pen;
    pen.tabletActive = true;
    pen.pressure = 0.5;
    EXPECT_NEAR(penScaled(setting(0, 0, 2.0), pen, 0.3), 0.3, 1e-12);
    EXPECT_NEAR(penScaled(setting(0, 1, 2.0), pen, 0.3), 0.6, 1e-12);
    pen.xTilt = -45;
    pen.yTilt = 30;
    EXPECT_NEAR(penMultiplier(setting(1, 0, 1.0), pen), 0.75, 1e-12);
    pen.yTilt = -60;
    EXPECT_NEAR(penMultiplier(setting(1, 0, 0.5), pen), 0.5, 1e-12);
    // Undefined sources and modes leave the value as it was scaled by 1, or alone.
    EXPECT_DOUBLE_EQ(penMultiplier(setting(2, 0, 3.0), pen), 1.0);
    EXPECT_DOUBLE_EQ(penScaled(setting(0, 2, 2.0), pen, 0.3), 0.3);
    KVPenSetting off = setting(0, 0, 2.0);
    off.enabled = false;
    EXPECT_DOUBLE_EQ(penScaled(off, pen, 0.3), 0.3);
    // No pen contact: multiplying gives nothing, adding keeps the value.
    pen.tabletActive = false;
    EXPECT_DOUBLE_EQ(penScaled(setting(0, 0, 2.0), pen, 0.3), 0.0);
    EXPECT_DOUBLE_EQ(penScaled(setting(0, 1, 2.0), pen, 0.3), 0.3);
}

TEST(PenStage, EachQuantityFollowsItsOwnSettings) {
    RavelinManipNode pen;
    pen.tabletActive = true;
    pen.pressure = 0.25;
    pen.xTilt = 30;
    KVPSCtxData data;
    data.pen[0] = setting(0, 0, 2.0); // value: x 0.5
    data.pen[1] = setting(0, 1, 4.0); // radius: + 1 x itself
    data.pen[2].enabled = false;      // spacing: alone
    data.pen[3] = setting(1, 0, 1.0); // mask scale: x 0.5 from the tilt
    double running[4] = {0.3, 10.0, 2.0, 0.8};
    applyPenStage(data, &pen, running);
    EXPECT_NEAR(running[0], 0.15, 1e-12);
    EXPECT_NEAR(running[1], 20.0, 1e-12);
    EXPECT_DOUBLE_EQ(running[2], 2.0);
    EXPECT_NEAR(running[3], 0.4, 1e-12);
    double unchanged[4] = {0.3, 10.0, 2.0, 0.8};
    applyPenStage(data, nullptr, unchanged);
    EXPECT_DOUBLE_EQ(unchanged[0], 0.3);
}

// Installed on the main window before the pen filter, so it sees events after it.
class Recorder : public QObject {
public:
    Recorder() { MQtUtil::mainWindow()->installEventFilter(this); }
    ~Recorder() override { MQtUtil::mainWindow()->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        types.push_back(event->type());
        if (auto* tablet = dynamic_cast<QTabletEvent*>(event)) pressures.push_back(tablet->pressure());
        return false;
    }
    std::vector<int> types;
    std::vector<double> pressures;
};

class PenFilter : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        node = std::make_unique<RavelinManipNode>();
        node->penFilter.setTarget(node.get());
        node->penFilter.setTarget(nullptr); // keeps the node
    }
    static void sendTablet(QEvent::Type type, double pressure, int xTilt, int yTilt,
                           QTabletEvent::PointerType pointer) {
        QTabletEvent event(type, QPointF(5, 5), QPointF(5, 5), QTabletEvent::Stylus, pointer,
                           pressure, xTilt, yTilt, 0.0, 0.0, 0, Qt::NoModifier, 1,
                           Qt::LeftButton, Qt::LeftButton);
        QApplication::sendEvent(MQtUtil::mainWindow(), &event);
    }
    static void sendMousePress(Qt::MouseEventSource source) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, source);
        QApplication::sendEvent(MQtUtil::mainWindow(), &event);
    }

    Recorder recorder; // made first: it sees what passes the pen filter
    std::unique_ptr<RavelinManipNode> node;
};

TEST_F(PenFilter, TabletEventsWriteThePenStateAndPassOnUnchanged) {
    EXPECT_DOUBLE_EQ(node->pressure, 1.0);
    EXPECT_FALSE(node->tabletActive);
    EXPECT_NE(node->pointerType, 3);
    sendTablet(QEvent::TabletPress, 0.25, 10, -20, QTabletEvent::Eraser);
    EXPECT_DOUBLE_EQ(node->pressure, 0.25);
    EXPECT_EQ(node->xTilt, 10);
    EXPECT_EQ(node->yTilt, -20);
    EXPECT_EQ(node->pointerType, 3);
    EXPECT_TRUE(node->tabletActive);
    node->tabletActive = false;
    sendTablet(QEvent::TabletMove, 0.5, -60, 60, QTabletEvent::Pen);
    EXPECT_DOUBLE_EQ(node->pressure, 0.5);
    EXPECT_EQ(node->pointerType, 1);
    EXPECT_TRUE(node->tabletActive);
    sendTablet(QEvent::TabletRelease, 0.0, 1, 2, QTabletEvent::Cursor);
    EXPECT_DOUBLE_EQ(node->pressure, 0.0);
    EXPECT_EQ(node->yTilt, 2);
    EXPECT_EQ(node->pointerType, 2);
    EXPECT_FALSE(node->tabletActive);
    EXPECT_EQ(recorder.types, (std::vector<int>{QEvent::TabletPress, QEvent::TabletMove,
                                                QEvent::TabletRelease}));
    EXPECT_EQ(recorder.pressures, (std::vector<double>{0.25, 0.5, 0.0}));

    // Keys and mouse releases change nothing and pass on too.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(MQtUtil::mainWindow(), &key);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(MQtUtil::mainWindow(), &release);
    // (Qt adds events of its own around them: shortcut and hover notices.)
    const std::vector<int> after(recorder.types.begin() + 3, recorder.types.end());
    EXPECT_NE(std::find(after.begin(), after.end(), QEvent::KeyPress), after.end());
    EXPECT_NE(std::find(after.begin(), after.end(), QEvent::MouseButtonRelease), after.end());
    EXPECT_DOUBLE_EQ(node->pressure, 0.0);
    EXPECT_FALSE(node->tabletActive);
    EXPECT_FALSE(node->penFilter.eventFilter(MQtUtil::mainWindow(), &key));
}

TEST_F(PenFilter, MousePressesKeepThePenOnlyWhenMadeFromIt) {
    sendTablet(QEvent::TabletRelease, 0.3, 40, 0, QTabletEvent::Eraser);
    sendMousePress(Qt::MouseEventSynthesizedBySystem);
    EXPECT_TRUE(node->tabletActive);
    EXPECT_DOUBLE_EQ(node->pressure, 0.3);
    EXPECT_EQ(node->pointerType, 3);
    node->tabletActive = false;
    sendMousePress(Qt::MouseEventNotSynthesized);
    EXPECT_TRUE(node->tabletActive);
    EXPECT_DOUBLE_EQ(node->pressure, 1.0);
    EXPECT_EQ(node->xTilt, 0);
    EXPECT_EQ(node->pointerType, 1);
}

TEST_F(PenFilter, TheFilterGoesWithItsNode) {
    node.reset();
    // A filter left behind would write into the freed node here.
    sendTablet(QEvent::TabletPress, 0.5, 0, 0, QTabletEvent::Pen);
    EXPECT_EQ(recorder.types.size(), 1u);
}

class PenStroke : public SculptSession {
protected:
    int tablet(const std::string& action, double x, double z, const std::string& rest = "") {
        return integer("hostTablet -" + action + " " + port(x, z) + " " + rest);
    }
};

TEST_F(PenStroke, RisingPressureRaisesEachDab) {
    addPlane();
    setOption("RVOption_tabletPressureToValue", 1);
    EXPECT_EQ(tablet("press", -6, 0, "-pressure 0.2"), 0) << err();
    EXPECT_EQ(tablet("move", -3, 0, "-pressure 0.5"), 0);
    EXPECT_EQ(tablet("move", 0, 0, "-pressure 0.8"), 0);
    EXPECT_EQ(tablet("release", 0, 0, "-pressure 0"), 0);
    EXPECT_NEAR(height(-6, 0), 0.2, 1e-6);
    EXPECT_NEAR(height(-3, 1), 0.5, 1e-6);
    EXPECT_NEAR(height(0, -1), 0.8, 1e-6);
    EXPECT_DOUBLE_EQ(height(2, 0), 0.0);
    // A mouse stroke has no pen contact: a multiplied value becomes nothing.
    dab(5, 5);
    EXPECT_DOUBLE_EQ(height(5, 5), 0.0);
    // Adding keeps the value as it is.
    setOption("RVOption_tabletPressureModeValue", 1);
    dab(5, 5);
    EXPECT_NEAR(height(5, 5), 1.0, 1e-6);
}

// Spacing 2 scaled by the pressure: a light pen dabs at every unit step, a firm one at
// every other, so the vertex under the first dab is reached twice or once.
TEST_F(PenStroke, LightPressureBringsDabsCloser) {
    addPlane();
    setOption("RVOption_spacing", 2.0);
    setOption("RVOption_tabletPressureToSpacing", 1);
    setOption("RVOption_tabletPressureModeSpacing", 0);
    for (const char* pressure : {"0.1", "1"}) {
        const double z = pressure[0] == '1' ? 5 : -5;
        const std::string p = std::string("-pressure ") + pressure;
        EXPECT_EQ(tablet("press", -6, z, p), 0);
        for (int x = -5; x <= -3; ++x)
            EXPECT_EQ(tablet("move", x, z, p), 0);
        EXPECT_EQ(tablet("release", -3, z, p), 0);
    }
    EXPECT_NEAR(height(-6, -5), 2.0, 1e-6);
    EXPECT_NEAR(height(-6, 5), 1.0, 1e-6);
}

TEST_F(PenStroke, TheEraserEndHasAModeOfItsOwn) {
    addPlane();
    setOption("RVOption_tabletAssignEraserTool", 6); // the eraser paints the mask
    setOption("RVOption_useMask", 1);
    EXPECT_EQ(tablet("press", 3, -2, "-pointer eraser"), 0);
    EXPECT_EQ(tablet("release", 3, -2, "-pointer eraser"), 0);
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0);
    // The tip displaces, except where the eraser held the surface.
    for (double x : {3.0, -4.0}) {
        EXPECT_EQ(tablet("press", x, -2), 0);
        EXPECT_EQ(tablet("release", x, -2), 0);
    }
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0);
    EXPECT_NEAR(height(-4, -2), 1.0, 1e-6);
    // Shift without Control smooths with the eraser too: flat ground stays flat.
    EXPECT_EQ(tablet("press", 6, 6, "-pointer eraser -shift"), 0);
    EXPECT_EQ(tablet("release", 6, 6, "-pointer eraser -shift"), 0);
    EXPECT_EQ(tablet("press", 6, 6, "-shift"), 0);
    EXPECT_EQ(tablet("release", 6, 6, "-shift"), 0);
    EXPECT_DOUBLE_EQ(height(6, 6), 0.0);
    dab(6, 6);
    EXPECT_NEAR(height(6, 6), 1.0, 1e-6); // not masked: the eraser smoothed, it did not mask
}

} // namespace
