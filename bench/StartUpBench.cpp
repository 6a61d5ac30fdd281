// Start-up and exit of pipit.exe, against the same for a minimal tray program, both launched with
// CreateProcess from here.

#include <windows.h>

#include "app/TrayIcon.h"
#include "bench/Benchmarks.h"
#include "bench/Programs.h"

namespace {

constexpr double kUnnoticed = 2e-3;

struct Lap {
    double startSeconds = 0;
    double exitSeconds = 0;
};

// One launch: until the window exists and its icon is in the tray; then Exit until the process ends.
Lap Launch(const Program& program) {
    Lap lap;
    Stopwatch start;
    Started started = Start(program);
    lap.startSeconds = start.Seconds();
    Stopwatch exit;
    End(program, started);
    lap.exitSeconds = exit.Seconds();
    return lap;
}

}  // namespace

std::vector<Row> BenchStartAndExit(const std::string& programFolder) {
    const Program pipit{programFolder + "\\pipit.exe", "Pipit", kTrayIconId};
    const Program minimal{programFolder + "\\bench_tray.exe", "PipitBenchTray", 1};
    const Program sameWork{programFolder + "\\bench_tray_same_work.exe", "PipitBenchTray", 1};
    // An exit is a few milliseconds, against the noise of a shared machine: many turns, medians.
    constexpr int kRepetitions = 41;
    struct Laps {
        std::vector<double> start, exit;
        void Add(const Lap& lap) { start.push_back(lap.startSeconds), exit.push_back(lap.exitSeconds); }
    } pipitLaps, minimalLaps, sameWorkLaps;
    Launch(minimal);
    Launch(sameWork);
    Launch(pipit);
    for (int i = 0; i < kRepetitions; ++i) {
        minimalLaps.Add(Launch(minimal));
        sameWorkLaps.Add(Launch(sameWork));
        pipitLaps.Add(Launch(pipit));
    }
    const std::string start = "Start-up of pipit.exe until window and tray icon";
    const std::string exit = "Exit (command 40007) until the process ended";
    const std::string withWork =
        "the same, asking what pipit.exe must (its libraries, resources, 8 hotkeys, menu, settings)";
    std::vector<Row> rows{
        Row{start, 0, Medians{Median(pipitLaps.start), Median(minimalLaps.start)}, "minimal tray program", 1.05},
        Row{start, 0, Medians{Median(pipitLaps.start), Median(sameWorkLaps.start)}, withWork, 1.05},
        Row{exit, 0, Medians{Median(pipitLaps.exit), Median(minimalLaps.exit)}, "minimal tray program", 1.05},
        Row{exit, 0, Medians{Median(pipitLaps.exit), Median(sameWorkLaps.exit)}, withWork, 1.05}};
    // An exit takes a few milliseconds, and moves by one between runs: judged by what it takes beyond
    // its floor, at most what no person notices.
    rows[2].margin = rows[3].margin = kUnnoticed;
    return rows;
}
