// The view widget's input in-process, on the off-screen platform: what the main window's
// event filters see (plug-ins read the pen there) and what reaches the host's mouse.
#include "window/ViewWidget.h"
#include "tools/Mouse.h"
#include "ui/QtHost.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTabletEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Recorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        seen.push_back(event->type());
        if (event->type() == QEvent::MouseButtonPress)
            sources.push_back(static_cast<QMouseEvent*>(event)->source());
        return false;
    }
    std::vector<QEvent::Type> seen;
    std::vector<Qt::MouseEventSource> sources;
};

bool contains(const std::vector<QEvent::Type>& types, QEvent::Type type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

class ViewWidgetTest : public ::testing::Test {
protected:
    ViewWidgetTest() {
        main_ = rvhost::ui::QtHost::mainWindow();
        view_ = new rvhost::window::ViewWidget;
        main_->setCentralWidget(view_);
        view_->resize(200, 100);
        main_->installEventFilter(&recorder_);
    }
    ~ViewWidgetTest() override {
        main_->removeEventFilter(&recorder_);
        rvhost::Mouse::instance().releaseSilently();
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseEventSource source = Qt::MouseEventNotSynthesized) {
        QMouseEvent event(type, at, view_->mapToGlobal(at), view_->mapToGlobal(at), button, buttons,
                          modifiers, source);
        QApplication::sendEvent(view_, &event);
    }

    QMainWindow* main_ = nullptr;
    rvhost::window::ViewWidget* view_ = nullptr;
    Recorder recorder_;
};

} // namespace

// A pen event on the view goes on to the main window, whose filters see it; the press Qt
// then makes from it reaches them too, marked as made by the system.
TEST_F(ViewWidgetTest, PenEventsAndPressesReachTheMainWindowsFilters) {
    const QPointF at(50, 20);
    QTabletEvent pen(QEvent::TabletPress, at, view_->mapToGlobal(at.toPoint()),
                     QTabletEvent::Stylus, QTabletEvent::Pen, 0.4, 0, 0, 0, 0, 0, Qt::NoModifier, 1,
                     Qt::LeftButton, Qt::LeftButton);
    QApplication::sendEvent(view_, &pen);
    EXPECT_TRUE(contains(recorder_.seen, QEvent::TabletPress));

    mouse(QEvent::MouseButtonPress, QPoint(50, 20), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier,
          Qt::MouseEventSynthesizedByQt);
    ASSERT_EQ(recorder_.sources.size(), 1u);
    EXPECT_EQ(recorder_.sources[0], Qt::MouseEventSynthesizedByQt);
}

// The left button goes to the host's mouse at port coordinates, whose origin is the
// bottom-left pixel; a drag moves it; Alt keeps the buttons for the camera.
TEST_F(ViewWidgetTest, LeftButtonDragsReachTheMouseInPortCoordinates) {
    rvhost::Mouse& m = rvhost::Mouse::instance();
    mouse(QEvent::MouseButtonPress, QPoint(10, 0), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(m.buttonDown());
    EXPECT_EQ(m.x(), 10);
    EXPECT_EQ(m.y(), 99);
    mouse(QEvent::MouseMove, QPoint(30, 99), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m.x(), 30);
    EXPECT_EQ(m.y(), 0);
    mouse(QEvent::MouseButtonRelease, QPoint(30, 99), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(m.buttonDown());

    mouse(QEvent::MouseButtonPress, QPoint(60, 50), Qt::LeftButton, Qt::LeftButton,
          Qt::AltModifier);
    EXPECT_FALSE(m.buttonDown());
    mouse(QEvent::MouseButtonRelease, QPoint(60, 50), Qt::LeftButton, Qt::NoButton,
          Qt::AltModifier);
}

// Frames are reduced from an Alt press until every button is up again (a second button
// released first keeps the camera moving), and exact after; a plain stroke never reduces.
TEST_F(ViewWidgetTest, FramesAreReducedOnlyWhileTheCameraMoves) {
    using Detail = rvhost::ViewRenderer::Detail;
    EXPECT_EQ(view_->frameDetail(), Detail::kExact);
    mouse(QEvent::MouseButtonPress, QPoint(60, 50), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(70, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view_->frameDetail(), Detail::kExact);
    mouse(QEvent::MouseButtonRelease, QPoint(70, 50), Qt::LeftButton, Qt::NoButton);

    mouse(QEvent::MouseButtonPress, QPoint(60, 50), Qt::LeftButton, Qt::LeftButton,
          Qt::AltModifier);
    mouse(QEvent::MouseMove, QPoint(70, 50), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(view_->frameDetail(), Detail::kMoving);
    mouse(QEvent::MouseButtonPress, QPoint(70, 50), Qt::MiddleButton,
          Qt::LeftButton | Qt::MiddleButton, Qt::AltModifier);
    mouse(QEvent::MouseButtonRelease, QPoint(70, 50), Qt::MiddleButton, Qt::LeftButton,
          Qt::AltModifier);
    EXPECT_EQ(view_->frameDetail(), Detail::kMoving);
    mouse(QEvent::MouseButtonRelease, QPoint(70, 50), Qt::LeftButton, Qt::NoButton,
          Qt::AltModifier);
    EXPECT_EQ(view_->frameDetail(), Detail::kExact);
}
