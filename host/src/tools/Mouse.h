#pragma once
#include <maya/MEvent.h>
#include <maya/MStatus.h>

#include <string>
#include <vector>

namespace rvhost {

// Modifier keys held during a button event.
struct MouseModifiers {
    bool shift = false;
    bool control = false;
};

// The one mouse of this host: where it is over the active view, whether its button is down,
// and the delivery of its events to the current tool and to manipulators.
class Mouse {
public:
    enum class Action { Press, Drag, Hold, Release };
    using Modifiers = MouseModifiers;

    static Mouse& instance();

    short x() const { return x_; }
    short y() const { return y_; }
    bool buttonDown() const { return down_; }
    // An event at the current position, as a tool is set up with.
    MEvent event(Modifiers modifiers = {}) const;

    // The mouse moves. With no button down every manipulator registered for mouse moves
    // gets doMove; their statuses come back in the order they registered.
    std::vector<MStatus> move(short x, short y);
    // One button event for the current tool. Refused (kFailure, lastError says why) for a
    // press while the button is down and for the others while it is up; then nothing moves.
    // Otherwise `handled` is what the tool's handler returned (success for the built-in
    // context).
    MStatus act(Action action, short x, short y, Modifiers modifiers, MStatus& handled);
    // Press at (x0, y0), `steps` drags evenly spaced after it ending at (x1, y1), release at
    // (x1, y1); each handler's status in `handled`. Needs steps >= 1 and the button up.
    MStatus stroke(short x0, short y0, short x1, short y1, int steps, Modifiers modifiers,
                   std::vector<MStatus>& handled);
    // The button goes up without an event (the tool changed under it).
    void releaseSilently() { down_ = false; }

    const std::string& lastError() const { return lastError_; }

private:
    Mouse() = default;
    MStatus refuse(std::string why);

    short x_ = 0;
    short y_ = 0;
    bool down_ = false;
    std::string lastError_;
};

} // namespace rvhost
