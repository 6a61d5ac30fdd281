#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>

double Now() {
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER ticks;
    QueryPerformanceCounter(&ticks);
    return static_cast<double>(ticks.QuadPart) / ticksPerSecond;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Medians MeasurePair(int repetitions, const TimedRun& floor, const TimedRun& subject) {
    floor();
    subject();
    std::vector<double> floorTimes;
    std::vector<double> subjectTimes;
    for (int i = 0; i < repetitions; ++i) {
        floorTimes.push_back(floor());
        subjectTimes.push_back(subject());
    }
    return {Median(subjectTimes), Median(floorTimes)};
}
