#include "window/ViewWidget.h"

#include "tools/Mouse.h"
#include "view/OffscreenGL.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"
#include "window/CameraNavigation.h"
#include "window/SculptSettings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace rvhost::window {

namespace {

// A drag that jumps further than this (the window system merges moves while a frame is
// drawn) reaches the tool as steps this long along the straight line, so the stroke leaves
// no gaps.
constexpr double kDragStep = 4.0;

// Frames are reduced until this long after the last resize.
constexpr int kSettleMs = 200;

// A wheel notch (120 eighths of a degree) or a bracket key grows or shrinks the brush by 10 %.
constexpr double kRadiusStep = 1.1;

short toShort(int v) {
    return static_cast<short>(std::clamp(v, -32768, 32767));
}

MouseModifiers modifiersOf(Qt::KeyboardModifiers held) {
    MouseModifiers modifiers;
    modifiers.shift = held.testFlag(Qt::ShiftModifier);
    modifiers.control = held.testFlag(Qt::ControlModifier);
    return modifiers;
}

} // namespace

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent) {
    // Hovers reach the tool, so moves without a button must arrive too.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 64);
    resizing_.setSingleShot(true);
    resizing_.setInterval(kSettleMs);
    connect(&resizing_, &QTimer::timeout, this, [this] { update(); });
}

QSize ViewWidget::sizeHint() const {
    const ViewPort& view = ViewPort::active();
    return QSize(view.width(), view.height());
}

short ViewWidget::portX(int x) const {
    return toShort(x);
}

short ViewWidget::portY(int y) const {
    return toShort(height() - 1 - y);
}

void ViewWidget::paintEvent(QPaintEvent*) {
    ViewPort& view = ViewPort::active();
    view.setSize(std::max(1, width()), std::max(1, height()));
    QPainter painter(this);
    std::string error;
    if (!ViewRenderer::render(view, error, frameDetail())) {
        painter.fillRect(rect(), Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QString::fromStdString(error));
    } else {
        const OffscreenGL& gl = OffscreenGL::instance();
        const QImage frame(gl.pixels().data(), gl.width(), gl.height(), QImage::Format_RGBX8888);
        // The renderer's rows run bottom-up. Turned over and converted to the screen's format
        // here, the image then goes out as a plain copy (a painter's flip would resample).
        painter.drawImage(0, 0, frame.mirrored().convertToFormat(QImage::Format_RGB32));
    }
    if (!painted_) {
        painted_ = true;
        if (firstFrameShown) firstFrameShown();
    }
}

ViewRenderer::Detail ViewWidget::frameDetail() const {
    return navigation_ != Navigation::None || resizing_.isActive() ? ViewRenderer::Detail::kMoving
                                                                   : ViewRenderer::Detail::kExact;
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
    // Frames while the window is being resized may be reduced; the one after it settles
    // is exact.
    if (painted_) resizing_.start();
    QWidget::resizeEvent(event);
}

void ViewWidget::toTool(Mouse::Action action, const QMouseEvent& event) {
    const MouseModifiers modifiers = modifiersOf(event.modifiers());
    MStatus handled;
    if (action == Mouse::Action::Drag) {
        const QPointF from = lastToolPosition_;
        const QPointF to = event.localPos();
        const int steps = std::max(1, int(std::ceil(QLineF(from, to).length() / kDragStep)));
        for (int i = 1; i < steps; ++i) {
            const QPointF p = from + (to - from) * (double(i) / steps);
            Mouse::instance().act(action, portX(qRound(p.x())), portY(qRound(p.y())), modifiers,
                                  handled);
        }
    }
    Mouse::instance().act(action, portX(event.x()), portY(event.y()), modifiers, handled);
    lastToolPosition_ = event.localPos();
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    showToMainWindow(*event);
    if (event->modifiers().testFlag(Qt::AltModifier)) {
        const Qt::MouseButton button = event->button();
        navigation_ = button == Qt::LeftButton     ? Navigation::Tumble
                      : button == Qt::MiddleButton ? Navigation::Track
                      : button == Qt::RightButton  ? Navigation::Dolly
                                                   : Navigation::None;
        lastNavigation_ = event->pos();
        return;
    }
    if (event->button() != Qt::LeftButton || Mouse::instance().buttonDown()) return;
    toTool(Mouse::Action::Press, *event);
    update();
}

// The main window's event filters see every press, as they would a press on the window
// itself: plug-ins tell a mouse press from one the window system made from a pen there.
void ViewWidget::showToMainWindow(const QMouseEvent& event) {
    QWidget* main = window();
    if (main == this) return;
    QMouseEvent copy(event.type(), mapTo(main, event.pos()), event.windowPos(), event.screenPos(),
                     event.button(), event.buttons(), event.modifiers(), event.source());
    QApplication::sendEvent(main, &copy);
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (navigation_ != Navigation::None) {
        const QPoint delta = event->pos() - lastNavigation_;
        lastNavigation_ = event->pos();
        // Widget y grows downward; the camera moves take port pixels, y up.
        const double dx = delta.x(), dy = -delta.y();
        ViewPort& view = ViewPort::active();
        if (navigation_ == Navigation::Tumble) navigation::tumble(view, dx, dy);
        if (navigation_ == Navigation::Track) navigation::track(view, dx, dy);
        if (navigation_ == Navigation::Dolly) navigation::dolly(view, dx + dy);
        update();
        return;
    }
    if (Mouse::instance().buttonDown()) {
        if (event->buttons().testFlag(Qt::LeftButton)) toTool(Mouse::Action::Drag, *event);
    } else if (event->buttons() == Qt::NoButton) {
        Mouse::instance().move(portX(event->x()), portY(event->y()));
    }
    update();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (navigation_ != Navigation::None) {
        if (event->buttons() != Qt::NoButton) return;
        navigation_ = Navigation::None;
        // The camera is at rest: the next frame shows every triangle.
        update();
        return;
    }
    if (event->button() != Qt::LeftButton || !Mouse::instance().buttonDown()) return;
    toTool(Mouse::Action::Release, *event);
    update();
}

void ViewWidget::finishStroke() {
    Mouse& mouse = Mouse::instance();
    if (!mouse.buttonDown()) return;
    MStatus handled;
    mouse.act(Mouse::Action::Release, mouse.x(), mouse.y(), {}, handled);
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) return;
    changeRadius(std::pow(kRadiusStep, notches));
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_BracketRight)
        changeRadius(kRadiusStep);
    else if (event->key() == Qt::Key_BracketLeft)
        changeRadius(1.0 / kRadiusStep);
    else
        QWidget::keyPressEvent(event);
}

void ViewWidget::changeRadius(double factor) {
    SculptSettings settings = SculptSettings::load();
    settings.scaleRadius(factor);
    settings.store();
    if (settingsChanged) settingsChanged();
    update();
}

} // namespace rvhost::window
