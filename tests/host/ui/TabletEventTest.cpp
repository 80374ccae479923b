#include <maya/MQtUtil.h>

#include "ui/TabletInput.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QTabletEvent>

#include <vector>

using rvhost::ui::TabletSample;

namespace {

struct Seen {
    int type;
    double pressure;
    int xTilt, yTilt, pointer;
    QPointF position;
    Qt::MouseButtons buttons;
};

// What a plug-in's filter does: read the tablet events, let every event through.
class Recorder : public QObject {
public:
    Recorder() { MQtUtil::mainWindow()->installEventFilter(this); }
    ~Recorder() override { MQtUtil::mainWindow()->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto t = event->type();
        if (watched == MQtUtil::mainWindow() &&
            (t == QEvent::TabletPress || t == QEvent::TabletMove || t == QEvent::TabletRelease)) {
            const auto* e = static_cast<QTabletEvent*>(event);
            seen.push_back({int(t), e->pressure(), e->xTilt(), e->yTilt(), int(e->pointerType()),
                            e->posF(), e->buttons()});
        }
        return false;
    }

    std::vector<Seen> seen;
};

TabletSample sample(TabletSample::Phase phase, double x, double y, double pressure, int xTilt,
                    int yTilt, TabletSample::Pointer pointer) {
    TabletSample s;
    s.phase = phase;
    s.x = x;
    s.y = y;
    s.pressure = pressure;
    s.xTilt = xTilt;
    s.yTilt = yTilt;
    s.pointer = pointer;
    return s;
}

TEST(QtHost, MainWindowIsOneOffscreenMainWindow) {
    QWidget* window = MQtUtil::mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(qobject_cast<QMainWindow*>(window), nullptr);
    EXPECT_EQ(MQtUtil::mainWindow(), window);
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
}

TEST(QtHost, FilterOnTheMainWindowReceivesTabletEvents) {
    Recorder recorder;
    using P = TabletSample::Phase;
    using Ptr = TabletSample::Pointer;
    rvhost::ui::sendTabletEvent(sample(P::Press, 10, 20, 0.25, 10, -20, Ptr::Pen));
    rvhost::ui::sendTabletEvent(sample(P::Move, 11.5, 22, 0.5, -60, 60, Ptr::Eraser));
    rvhost::ui::sendTabletEvent(sample(P::Release, 12, 23, 0.0, 0, 5, Ptr::Cursor));
    rvhost::ui::sendTabletEvent(sample(P::Move, 13, 24, 1.0, 1, 2, Ptr::Pen));

    ASSERT_EQ(recorder.seen.size(), 4u);
    const Seen& press = recorder.seen[0];
    EXPECT_EQ(press.type, 92);
    EXPECT_DOUBLE_EQ(press.pressure, 0.25);
    EXPECT_EQ(press.xTilt, 10);
    EXPECT_EQ(press.yTilt, -20);
    EXPECT_EQ(press.pointer, 1);
    EXPECT_EQ(press.position, QPointF(10, 20));

    const Seen& move = recorder.seen[1];
    EXPECT_EQ(move.type, 87);
    EXPECT_DOUBLE_EQ(move.pressure, 0.5);
    EXPECT_EQ(move.xTilt, -60);
    EXPECT_EQ(move.yTilt, 60);
    EXPECT_EQ(move.pointer, 3);
    EXPECT_EQ(move.position, QPointF(11.5, 22));
    EXPECT_EQ(move.buttons, Qt::LeftButton);

    const Seen& release = recorder.seen[2];
    EXPECT_EQ(release.type, 93);
    EXPECT_EQ(release.pointer, 2);
    EXPECT_EQ(release.buttons, Qt::NoButton);
    // A hovering pen after the release holds no button.
    EXPECT_EQ(recorder.seen[3].type, 87);
    EXPECT_EQ(recorder.seen[3].buttons, Qt::NoButton);
}

} // namespace
