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

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
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
    const std::vector<double> medians = MeasureInTurn(repetitions, {floor, subject});
    return {medians[1], medians[0]};
}

std::vector<double> MeasureInTurn(int repetitions, const std::vector<TimedRun>& runs) {
    for (const TimedRun& run : runs) {
        run();
    }
    std::vector<std::vector<double>> times(runs.size());
    for (int i = 0; i < repetitions; ++i) {
        for (size_t k = 0; k < runs.size(); ++k) {
            times[k].push_back(runs[k]());
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& sample : times) {
        medians.push_back(Median(sample));
    }
    return medians;
}
