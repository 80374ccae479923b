#include "tools/Mouse.h"

#include <maya/MFrameContext.h>
#include <maya/MPxContext.h>
#include <maya/MUIDrawManager.h>

#include "tools/ContextRegistry.h"
#include "tools/ManipulatorNodes.h"
#include "view/ViewPort.h"

#include <cmath>

namespace rvhost {
namespace {

MStatus classicEntry(MPxContext& context, Mouse::Action action, MEvent& event) {
    switch (action) {
    case Mouse::Action::Press:
        return context.doPress(event);
    case Mouse::Action::Drag:
        return context.doDrag(event);
    case Mouse::Action::Hold:
        return context.doHold(event);
    case Mouse::Action::Release:
        return context.doRelease(event);
    }
    return MS::kFailure;
}

MStatus viewport2Entry(MPxContext& context, Mouse::Action action, MEvent& event) {
    const ViewPort& view = ViewPort::active();
    MHWRender::MUIDrawManager drawManager;
    const MHWRender::MFrameContext frame(MMatrix(), view.viewMatrix(), view.projectionMatrix(),
                                         view.width(), view.height());
    switch (action) {
    case Mouse::Action::Press:
        return context.doPress(event, drawManager, frame);
    case Mouse::Action::Drag:
        return context.doDrag(event, drawManager, frame);
    case Mouse::Action::Hold:
        return context.doHold(event, drawManager, frame);
    case Mouse::Action::Release:
        return context.doRelease(event, drawManager, frame);
    }
    return MS::kFailure;
}

// Viewport 2.0 renderers use the newer entries; a context that does not implement one gets
// the classic entry instead.
MStatus deliver(MPxContext& context, Mouse::Action action, MEvent& event) {
    if (ViewPort::active().renderer() != ViewPort::Renderer::kLegacy) {
        MStatus status = viewport2Entry(context, action, event);
        if (status != MS::kNotImplemented) return status;
    }
    return classicEntry(context, action, event);
}

short lerp(short from, short to, int step, int steps) {
    return static_cast<short>(std::lround(from + double(to - from) * step / steps));
}

} // namespace

Mouse& Mouse::instance() {
    static Mouse mouse;
    return mouse;
}

MEvent Mouse::event(Modifiers modifiers) const {
    MEvent event;
    event.setPosition(x_, y_);
    int mask =
        (modifiers.shift ? MEvent::shiftKey : 0) | (modifiers.control ? MEvent::controlKey : 0);
    event.setModifiers(static_cast<MEvent::ModifierType>(mask));
    return event;
}

std::vector<MStatus> Mouse::move(short x, short y) {
    x_ = x;
    y_ = y;
    if (down_) return {};
    return ManipulatorNodes::deliverMove();
}

MStatus Mouse::act(Action action, short x, short y, Modifiers modifiers, MStatus& handled) {
    const bool press = action == Action::Press;
    if (press && down_) return refuse("the mouse button is already down");
    if (!press && !down_) return refuse("the mouse button is not down");
    x_ = x;
    y_ = y;
    down_ = action != Action::Release;
    MEvent event = this->event(modifiers);
    MPxContext* context = ContextRegistry::instance().current();
    handled = context ? deliver(*context, action, event) : MStatus(MS::kSuccess);
    return MS::kSuccess;
}

MStatus Mouse::stroke(short x0, short y0, short x1, short y1, int steps, Modifiers modifiers,
                      std::vector<MStatus>& handled) {
    if (steps < 1) return refuse("a stroke needs at least one step");
    if (down_) return refuse("the mouse button is already down");
    handled.clear();
    MStatus status;
    act(Action::Press, x0, y0, modifiers, status);
    handled.push_back(status);
    for (int i = 1; i <= steps; ++i) {
        act(Action::Drag, lerp(x0, x1, i, steps), lerp(y0, y1, i, steps), modifiers, status);
        handled.push_back(status);
    }
    act(Action::Release, x1, y1, modifiers, status);
    handled.push_back(status);
    return MS::kSuccess;
}

MStatus Mouse::refuse(std::string why) {
    lastError_ = std::move(why);
    return MS::kFailure;
}

} // namespace rvhost
