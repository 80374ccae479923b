#include "core/HostClock.h"

#include <chrono>
#include <cmath>
#include <mutex>

namespace rvhost {
namespace {

struct ClockState {
    std::mutex mutex;
    bool manual = false;
    double manualTime = 0.0;
    // Added to real time in automatic mode.
    double offset = 0.0;
};

ClockState& state() {
    static ClockState clock;
    return clock;
}

double realSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double nowLocked(const ClockState& s) {
    return s.manual ? s.manualTime : realSeconds() + s.offset;
}

} // namespace

double HostClock::now() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return nowLocked(state());
}

void HostClock::setManual(bool manual) {
    ClockState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (manual == s.manual) return;
    if (manual)
        s.manualTime = nowLocked(s);
    else
        s.offset = s.manualTime - realSeconds();
    s.manual = manual;
}

bool HostClock::isManual() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().manual;
}

bool HostClock::advance(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) return false;
    ClockState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    (s.manual ? s.manualTime : s.offset) += seconds;
    return true;
}

} // namespace rvhost
