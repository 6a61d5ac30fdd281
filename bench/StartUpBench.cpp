// Start-up and exit of pipit.exe, against the same for a minimal tray program, both launched with
// CreateProcess from here.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "app/TrayIcon.h"
#include "bench/Benchmarks.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kPollMs = 1;
constexpr double kGiveUpSeconds = 20;
constexpr DWORD kExitWaitMs = 20000;

struct Program {
    std::string path;
    const char* className;
    UINT iconId;
};

struct Lap {
    double startSeconds = 0;
    double exitSeconds = 0;
};

// The program's top-level window of the class, when the process has made it.
HWND WindowOf(DWORD processId, const char* className) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            return window;
        }
    }
    return nullptr;
}

// The notification area accepts a change of an icon only while the icon is there; a change of no
// field alters nothing.
bool TrayIconPresent(HWND window, UINT iconId) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = iconId;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// One launch: until the window exists and its icon is in the tray; then Exit until the process ends.
Lap Launch(const Program& program) {
    Lap lap;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program.path + "\"";
    Stopwatch start;
    if (!CreateProcessA(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "bench: cannot start %s\n", program.path.c_str());
        return lap;
    }
    HWND window = nullptr;
    while (start.Seconds() < kGiveUpSeconds) {
        if (!window) window = WindowOf(process.dwProcessId, program.className);
        if (window && TrayIconPresent(window, program.iconId)) break;
        Sleep(kPollMs);
    }
    lap.startSeconds = start.Seconds();

    Stopwatch exit;
    if (!window || !PostMessageA(window, WM_COMMAND, IDM_EXIT, 0) ||
        WaitForSingleObject(process.hProcess, kExitWaitMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "bench: %s did not end\n", program.path.c_str());
        TerminateProcess(process.hProcess, 1);
    }
    lap.exitSeconds = exit.Seconds();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return lap;
}

}  // namespace

std::vector<Row> BenchStartAndExit(const std::string& programFolder) {
    const Program pipit{programFolder + "\\pipit.exe", "Pipit", kTrayIconId};
    const Program minimal{programFolder + "\\bench_tray.exe", "PipitBenchTray", 1};
    const Program sameImports{programFolder + "\\bench_tray_imports.exe", "PipitBenchTray", 1};
    constexpr int kRepetitions = 7;
    struct Laps {
        std::vector<double> start, exit;
        void Add(const Lap& lap) { start.push_back(lap.startSeconds), exit.push_back(lap.exitSeconds); }
    } pipitLaps, minimalLaps, sameImportsLaps;
    Launch(minimal);
    Launch(sameImports);
    Launch(pipit);
    for (int i = 0; i < kRepetitions; ++i) {
        minimalLaps.Add(Launch(minimal));
        sameImportsLaps.Add(Launch(sameImports));
        pipitLaps.Add(Launch(pipit));
    }
    const std::string start = "Start-up of pipit.exe until window and tray icon";
    const std::string exit = "Exit (command 40007) until the process ended";
    const std::string withImports = "the same, importing pipit.exe's libraries, with its manifest";
    return {Row{start, 0, Medians{Median(pipitLaps.start), Median(minimalLaps.start)}, "minimal tray program", 1.3},
            Row{start, 0, Medians{Median(pipitLaps.start), Median(sameImportsLaps.start)}, withImports, 1.3},
            Row{exit, 0, Medians{Median(pipitLaps.exit), Median(minimalLaps.exit)}, "minimal tray program", 1.3},
            Row{exit, 0, Medians{Median(pipitLaps.exit), Median(sameImportsLaps.exit)}, withImports, 1.3}};
}
