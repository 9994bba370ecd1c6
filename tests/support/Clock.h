// Time for the figure programs (never for tests): a high-resolution clock in milliseconds and
// the median of a set of measurements.
#ifndef RP_TESTS_SUPPORT_CLOCK_H
#define RP_TESTS_SUPPORT_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <vector>

namespace rptest {

// Milliseconds on the performance counter (an arbitrary origin: only differences mean anything).
inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// The median (the upper one of an even count); 0 for no values.
inline double MedianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace rptest

#endif
