#pragma once
#include <system_error>
#include <thread>

namespace rvhost {

// Below this much work (items of a linear pass over a mesh) a second thread costs more than
// it saves.
constexpr int kWorthTwoThreads = 1 << 16;

// Runs first() on a second thread while second() runs here, when `parallel`; else one after
// the other (also when no thread can be started).
template <typename First, typename Second> void onTwoThreads(bool parallel, First first, Second second) {
    std::thread other;
    if (parallel) {
        try {
            other = std::thread(first);
        } catch (const std::system_error&) {
        }
    }
    if (!other.joinable()) first();
    try {
        second();
    } catch (...) {
        if (other.joinable()) other.join();
        throw;
    }
    if (other.joinable()) other.join();
}

// Calls range(first, last) over [0, count) in two halves, on two threads when count is
// worth it. The halves must not write to the same places.
template <typename Range> void splitInTwo(int count, Range range) {
    const int half = count / 2;
    onTwoThreads(
        count >= kWorthTwoThreads, [&] { range(half, count); }, [&] { range(0, half); });
}

} // namespace rvhost
