#pragma once
#include <maya/MTypes.h>

// Measures the time between beginTimer() and endTimer() on the host clock.
class OPENMAYA_EXPORT MTimer {
public:
    MTimer() = default;

    void beginTimer();
    void endTimer();
    // Seconds between the last begin and end; 0 until the timer has run.
    double elapsedTime();
    void clear();

private:
    double begin_ = 0.0;
    double end_ = 0.0;
};
