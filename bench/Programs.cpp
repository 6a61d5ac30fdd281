// Programs of the benchmarks launched from here as the shell launches them, and ended by their Exit.

#include "bench/Programs.h"

#include <shellapi.h>

#include <cstdio>

#include "bench/Timing.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kPollMs = 1;
constexpr double kGiveUpSeconds = 20;
constexpr DWORD kExitWaitMs = 20000;

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

}  // namespace

Started Start(const Program& program, const std::vector<std::string>& arguments) {
    Started started;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program.path + "\"";
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    Stopwatch start;
    if (!CreateProcessA(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started.process)) {
        std::fprintf(stderr, "bench: cannot start %s\n", program.path.c_str());
        return started;
    }
    HWND window = nullptr;
    while (start.Seconds() < kGiveUpSeconds) {
        if (!window) window = WindowOf(started.process.dwProcessId, program.className);
        if (window && (program.iconId == 0 || TrayIconPresent(window, program.iconId))) {
            started.window = window;
            break;
        }
        Sleep(kPollMs);
    }
    return started;
}

void End(const Program& program, Started& started) {
    if (!started.process.hProcess) {
        return;
    }
    if (!started.window || !PostMessageA(started.window, WM_COMMAND, IDM_EXIT, 0) ||
        WaitForSingleObject(started.process.hProcess, kExitWaitMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "bench: %s did not end\n", program.path.c_str());
        TerminateProcess(started.process.hProcess, 1);
    }
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    started = Started{};
}

void EndShell(HWND shell) {
    SendMessageA(shell, WM_COMMAND, IDM_EXIT, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}
