#pragma once

#include <functional>
#include <vector>

// Seconds on the performance counter; only differences mean anything.
double Now();

// Seconds since it was made.
class Stopwatch {
public:
    Stopwatch() : start_(Now()) {}
    double Seconds() const { return Now() - start_; }

private:
    double start_;
};

// Takes every message waiting for this thread, then waits up to a millisecond for the next one.
void Pump();

// The middle value (the mean of the two middle ones for an even count).
double Median(std::vector<double> values);

// The medians of a subject's runs and of its floor's runs, taken in the same run of the bench.
struct Medians {
    double subject = 0;
    double floor = 0;
};

// One run of something measured: returns its own timed seconds, so that whatever it prepares or
// cleans up around the timed part stays out of the figure.
using TimedRun = std::function<double()>;

// Runs floor and subject alternately, once each as a warm-up and then `repetitions` times each, so
// that a change in the machine's load strikes both alike.
Medians MeasurePair(int repetitions, const TimedRun& floor, const TimedRun& subject);

// Runs each of the runs in turn, once as a warm-up and then `repetitions` times, and returns the
// median of each, in the order given.
std::vector<double> MeasureInTurn(int repetitions, const std::vector<TimedRun>& runs);
