#pragma once
#include <string>

namespace rvhost::ui {

// One pen event as hostTablet describes it. Positions are port coordinates; pressure runs
// from 0 to 1 and tilt from -60 to 60 degrees, as a tablet reports them.
struct TabletSample {
    enum class Phase { Press, Move, Release };
    // QTabletEvent::PointerType numbers.
    enum class Pointer { Pen = 1, Cursor = 2, Eraser = 3 };

    Phase phase = Phase::Move;
    double x = 0;
    double y = 0;
    double pressure = 1.0;
    int xTilt = 0;
    int yTilt = 0;
    Pointer pointer = Pointer::Pen;
    bool shift = false;
    bool control = false;
};

// "pen", "eraser" or "cursor"; false for anything else.
bool pointerFromName(const std::string& name, TabletSample::Pointer& pointer);

// Sends a real QTabletEvent (TabletPress, TabletMove or TabletRelease) to the main window,
// so event filters installed there see it first. Between a press and its release, moves
// carry the pen button as held.
void sendTabletEvent(const TabletSample& sample);
// Then the mouse event the window system makes from it, marked as synthesised by the
// system: a button press, a move (with the button held while the pen is down) or a release,
// at the same position with the same modifiers.
void sendSynthesisedMouseEvent(const TabletSample& sample);

} // namespace rvhost::ui
