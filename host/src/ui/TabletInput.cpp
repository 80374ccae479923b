#include "ui/TabletInput.h"

#include "ui/QtHost.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTabletEvent>

namespace rvhost::ui {
namespace {

// Whether the pen touches the tablet: a press until its release.
bool penDown = false;

QEvent::Type eventType(TabletSample::Phase phase) {
    switch (phase) {
    case TabletSample::Phase::Press:
        return QEvent::TabletPress;
    case TabletSample::Phase::Release:
        return QEvent::TabletRelease;
    default:
        return QEvent::TabletMove;
    }
}

QEvent::Type mouseType(TabletSample::Phase phase) {
    switch (phase) {
    case TabletSample::Phase::Press:
        return QEvent::MouseButtonPress;
    case TabletSample::Phase::Release:
        return QEvent::MouseButtonRelease;
    default:
        return QEvent::MouseMove;
    }
}

Qt::KeyboardModifiers modifiersOf(const TabletSample& sample) {
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (sample.shift) modifiers |= Qt::ShiftModifier;
    if (sample.control) modifiers |= Qt::ControlModifier;
    return modifiers;
}

Qt::MouseButton buttonOf(const TabletSample& sample) {
    return sample.phase == TabletSample::Phase::Move ? Qt::NoButton : Qt::LeftButton;
}

} // namespace

bool pointerFromName(const std::string& name, TabletSample::Pointer& pointer) {
    if (name == "pen")
        pointer = TabletSample::Pointer::Pen;
    else if (name == "eraser")
        pointer = TabletSample::Pointer::Eraser;
    else if (name == "cursor")
        pointer = TabletSample::Pointer::Cursor;
    else
        return false;
    return true;
}

void sendTabletEvent(const TabletSample& sample) {
    QMainWindow* window = QtHost::mainWindow();
    const bool press = sample.phase == TabletSample::Phase::Press;
    const bool release = sample.phase == TabletSample::Phase::Release;
    penDown = press || (penDown && !release);
    const Qt::MouseButton button = buttonOf(sample);
    const Qt::MouseButtons buttons = penDown ? Qt::LeftButton : Qt::NoButton;
    const int device =
        sample.pointer == TabletSample::Pointer::Cursor ? QTabletEvent::Puck : QTabletEvent::Stylus;
    const QPointF position(sample.x, sample.y);
    QTabletEvent event(eventType(sample.phase), position,
                       QPointF(window->mapToGlobal(QPoint())) + position, device,
                       static_cast<int>(sample.pointer), sample.pressure, sample.xTilt,
                       sample.yTilt, 0.0, 0.0, 0, modifiersOf(sample),
                       /*uniqueID*/ 1, button, buttons);
    QApplication::sendEvent(window, &event);
}

} // namespace rvhost::ui

namespace rvhost::ui {

void sendSynthesisedMouseEvent(const TabletSample& sample) {
    QMainWindow* window = QtHost::mainWindow();
    const QPointF position(sample.x, sample.y);
    const Qt::MouseButtons buttons = penDown ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(mouseType(sample.phase), position, position,
                      QPointF(window->mapToGlobal(QPoint())) + position, buttonOf(sample), buttons,
                      modifiersOf(sample), Qt::MouseEventSynthesizedBySystem);
    QApplication::sendEvent(window, &event);
}

} // namespace rvhost::ui
