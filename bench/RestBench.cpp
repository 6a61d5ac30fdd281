// pipit.exe at rest with an empty playlist: the memory it holds 5 s after its start and the processor
// time it takes over the next 30 s, against a minimal tray program; and the messages that the
// player's window receives meanwhile, counted on the shell started in this process, which runs the
// same code.

#include <windows.h>

#include <psapi.h>

#include <map>
#include <string>

#include "app/AppState.h"
#include "app/StartUp.h"
#include "app/TrayIcon.h"
#include "bench/Benchmarks.h"
#include "bench/Programs.h"
#include "common/PrivateIds.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kSettleMs = 5000;
constexpr DWORD kRestMs = 30000;

// What Windows reports as a process's private bytes: its committed memory of its own, summed over
// its regions (Wine's GetProcessMemoryInfo leaves the private figure of another process at 0).
double PrivateBytesOf(HANDLE process) {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            bytes += static_cast<double>(region.RegionSize);
        }
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) {
            break;
        }
        at = next;
    }
    return bytes;
}

double WorkingSetOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize);
}

double ProcessorSecondsOf(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Every message the main window receives, sent or posted, by its number.
std::map<UINT, int> received;
WNDPROC shellProcedure = nullptr;
bool counting = false;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (counting) {
        ++received[message];
    }
    return CallWindowProcA(shellProcedure, window, message, wParam, lParam);
}

// Messages that only the player itself would have caused: its timers, its posts to itself, its
// commands. Everything else comes from the platform.
bool OfItsOwnMaking(UINT message) {
    return message == WM_TIMER || message == WM_NULL || message == WM_COMMAND ||
           (message >= WM_APP && message <= 0xBFFF);
}

std::string NameOf(UINT message) {
    static const std::map<UINT, const char*> kNames = {
        {WM_NULL, "WM_NULL"},
        {WM_TIMER, "WM_TIMER"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},
        {WM_DISPLAYCHANGE, "WM_DISPLAYCHANGE"},
        {WM_DEVICECHANGE, "WM_DEVICECHANGE"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_GETICON, "WM_GETICON"},
        {WM_TRAYNOTIFY, "the tray icon's message"},
        {WM_PAINT, "WM_PAINT"},
    };
    if (const auto known = kNames.find(message); known != kNames.end()) {
        return known->second;
    }
    char name[128] = "";
    if (message >= 0xC000 && GetClipboardFormatNameA(message, name, sizeof name) > 0) {
        return std::string("\"") + name + "\"";  // a registered message
    }
    char number[16];
    wsprintfA(number, "0x%04X", message);
    return number;
}

// Runs this thread's messages for the time given.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < milliseconds; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - passed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
}

}  // namespace

std::vector<Row> BenchAtRest(const std::string& programFolder) {
    const Program pipit{programFolder + "\\pipit.exe", "Pipit", kTrayIconId};
    const Program minimal{programFolder + "\\bench_tray.exe", "PipitBenchTray", 1};
    Started player = Start(pipit);
    Started floor = Start(minimal);
    HWND shell = StartUp(GetModuleHandleA(nullptr));
    shellProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(shell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProcedure)));

    Pump(kSettleMs);
    const Medians privateBytes{PrivateBytesOf(player.process.hProcess), PrivateBytesOf(floor.process.hProcess)};
    const Medians workingSet{WorkingSetOf(player.process.hProcess), WorkingSetOf(floor.process.hProcess)};
    const double playerBefore = ProcessorSecondsOf(player.process.hProcess);
    const double floorBefore = ProcessorSecondsOf(floor.process.hProcess);
    counting = true;
    Pump(kRestMs);
    counting = false;
    const double playerSeconds = ProcessorSecondsOf(player.process.hProcess) - playerBefore;
    const double floorSeconds = ProcessorSecondsOf(floor.process.hProcess) - floorBefore;

    SetWindowLongPtrA(shell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(shellProcedure));
    SendMessageA(shell, WM_COMMAND, IDM_EXIT, 0);
    Pump(0);
    End(pipit, player);
    End(minimal, floor);

    int ownMaking = 0;
    std::string platform;
    for (const auto& [message, count] : received) {
        if (OfItsOwnMaking(message)) {
            ownMaking += count;
        } else {
            platform += (platform.empty() ? "" : ", ") + NameOf(message) + " " + std::to_string(count);
        }
    }
    Notes().push_back("Messages the player's window received in 30 s at rest, from the platform: " +
                      (platform.empty() ? std::string("none") : platform) + ".");

    const std::string rest = " of pipit.exe at rest, empty playlist, 5 s after start";
    Row privateRow{"Private bytes" + rest, 0, privateBytes, "minimal tray program", 1.10};
    Row workingSetRow{"Working set" + rest, 0, workingSet, "minimal tray program", 1.10};
    privateRow.unit = workingSetRow.unit = Unit::Bytes;
    Row processor{"Processor time of pipit.exe over 30 s at rest", 0, Medians{playerSeconds, floorSeconds},
                  "minimal tray program (shown, not judged)", 0};
    processor.absolute = true;
    Row messages{"Messages of its own making at rest in 30 s (timers, posts to itself)", 0,
                 Medians{static_cast<double>(ownMaking), 0}, "none", 0};
    messages.absolute = true;
    messages.unit = Unit::Count;
    return {privateRow, workingSetRow, processor, messages};
}
