#include "services/RVQtEvent.h"

#include "display/RavelinManipNode.h"

#include <maya/MQtUtil.h>

#include <QEvent>
#include <QMouseEvent>
#include <QTabletEvent>
#include <QWidget>

namespace {
// The pen tip: a plain mouse press counts as one, so that its stroke is neither scaled to
// nothing nor sculpted with the eraser's mode.
const int kPenTip = 1;
} // namespace

RVQtEvent::RVQtEvent() : QObject(nullptr), window_(MQtUtil::mainWindow()) {
    if (window_) window_->installEventFilter(this);
}

RVQtEvent::~RVQtEvent() {
    if (window_) window_->removeEventFilter(this);
}

void RVQtEvent::setTarget(RavelinManipNode* node) {
    if (node) target_ = node;
}

bool RVQtEvent::eventFilter(QObject*, QEvent* event) {
    if (!target_ || !event) return false;
    switch (event->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletMove:
        recordTablet(event, true);
        break;
    case QEvent::TabletRelease:
        recordTablet(event, false);
        break;
    case QEvent::MouseButtonPress:
        recordMousePress(event);
        break;
    default:
        break;
    }
    return false;
}

void RVQtEvent::recordTablet(QEvent* event, bool active) {
    const auto* tablet = static_cast<QTabletEvent*>(event);
    target_->pressure = tablet->pressure();
    target_->xTilt = tablet->xTilt();
    target_->yTilt = tablet->yTilt();
    target_->pointerType = static_cast<int>(tablet->pointerType());
    target_->tabletActive = active;
}

// A press the window system made from a pen press keeps what the pen said; a press of the
// mouse itself stands for a pen tip at full pressure, upright, so that no earlier pen
// reading lingers into a mouse stroke.
void RVQtEvent::recordMousePress(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->source() == Qt::MouseEventNotSynthesized) {
        target_->pressure = 1.0;
        target_->xTilt = 0;
        target_->yTilt = 0;
        target_->pointerType = kPenTip;
    }
    target_->tabletActive = true;
}
