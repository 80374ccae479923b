#include <maya/MTimer.h>

#include "core/HostClock.h"

void MTimer::beginTimer() {
    begin_ = rvhost::HostClock::now();
    end_ = begin_;
}

void MTimer::endTimer() {
    end_ = rvhost::HostClock::now();
}

double MTimer::elapsedTime() {
    return end_ - begin_;
}

void MTimer::clear() {
    begin_ = end_ = 0.0;
}
