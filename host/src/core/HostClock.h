#pragma once

namespace rvhost {

// The one clock behind MTimer, in seconds. It reads real monotonic time unless it is in
// manual mode, where it stands still and moves only by advance(), so tests can time things
// repeatably. Switching modes never makes the clock jump or run backwards.
class HostClock {
public:
    static double now();
    static void setManual(bool manual);
    static bool isManual();
    // Moves the clock forward (in either mode). Refuses negative or non-finite steps.
    static bool advance(double seconds);
};

} // namespace rvhost
