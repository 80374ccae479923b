#pragma once
#include "tools/Mouse.h"
#include "view/ViewRenderer.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace rvhost::window {

// The active view on screen: every paint renders the view with the snapshot renderer at the
// widget's size and shows the frame. The left button, with Shift and Control as held, goes
// to the current tool as hostMouse's events do, and a move with no button is a hover; with
// Alt held the buttons move the camera instead (left tumbles, middle tracks, right dollies),
// and the frames meanwhile draw dense meshes reduced, the one after the release exactly.
// The wheel and the [ and ] keys change the brush radius. Pen events are left unaccepted:
// Qt hands them on to the main window, whose event filters (plug-ins read pressure and tilt
// there) see them, and then synthesises the mouse events that reach the tool. Presses are
// shown to the main window's filters as well.
class ViewWidget : public QWidget {
public:
    explicit ViewWidget(QWidget* parent = nullptr);

    // Called after the wheel or a key changed the sculpt settings.
    std::function<void()> settingsChanged;
    // Called once, after the first frame has been painted.
    std::function<void()> firstFrameShown;

    // Ends a stroke still under way (the window is closing): the tool gets its release.
    void finishStroke();

    QSize sizeHint() const override;

    // How the next frame draws the meshes: reduced while the camera moves (an Alt drag) or
    // the window is being resized, exactly once it is at rest.
    ViewRenderer::Detail frameDetail() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Navigation { None, Tumble, Track, Dolly };

    // Port coordinates (origin at the bottom-left) of a widget position.
    short portX(int x) const;
    short portY(int y) const;
    // One button event for the current tool; a drag is split into steps (see the .cpp).
    void toTool(Mouse::Action action, const QMouseEvent& event);
    void changeRadius(double factor);
    void showToMainWindow(const QMouseEvent& event);

    Navigation navigation_ = Navigation::None;
    QPoint lastNavigation_;
    QPointF lastToolPosition_;
    bool painted_ = false;
    QTimer resizing_;
};

} // namespace rvhost::window
