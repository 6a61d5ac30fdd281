// The Windows side of the listening benchmark (bench/hearing.py records and judges what is heard):
// starts the players of a plan one after another with their files on the command line, presses
// Next where the plan says (the hotkey's message posted to the player's window), and ends each with
// the exit command. Prints when each thing happened, on the performance counter, which under Wine
// counts the host's raw monotonic clock, so that the recorder can place it in the recording.
//
// Usage: bench_hearing.exe PLAN, where each line of PLAN is one run, its fields separated by tabs:
// label, player (pipit or bare), action, play ms, presses, files... The action is what each press
// does: "next" (the Next hotkey), "previous" (the Previous hotkey), "pick" (a double-click on the
// row after the next in the open Playlist dialog) or "handover" (the next of the files handed over
// as a second copy hands it, the run started with the first alone). The presses are the
// milliseconds before each press, separated by commas ("-" for none), the first counted from the
// moment the player's window is there. The player plays on for `play ms` after the last press.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/TrayIcon.h"
#include "bench/Programs.h"
#include "bench/Timing.h"
#include "common/PrivateIds.h"

namespace {

// Silence between two runs, so that no sound of one falls into the next one's part of the recording.
constexpr DWORD kPauseMs = 700;
constexpr WPARAM kNextHotkey = 2;
constexpr WPARAM kPreviousHotkey = 3;
constexpr WPARAM kViewCommand = 40014;
constexpr int kPlaylistList = 1000;

struct Run {
    std::string label;
    std::string player;
    std::string action;
    DWORD playMs = 0;
    std::vector<DWORD> pressDelaysMs;
    std::vector<std::string> files;
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return fields;
}

std::vector<DWORD> Delays(const std::string& text) {
    std::vector<DWORD> delays;
    if (text == "-") return delays;
    for (const std::string& delay : Split(text, ',')) delays.push_back(static_cast<DWORD>(std::atol(delay.c_str())));
    return delays;
}

std::vector<Run> ReadPlan(const char* fileName) {
    std::vector<Run> runs;
    std::FILE* file = std::fopen(fileName, "r");
    if (!file) {
        std::fprintf(stderr, "bench_hearing: cannot read %s\n", fileName);
        return runs;
    }
    char line[65536];
    while (std::fgets(line, sizeof line, file)) {
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        const std::vector<std::string> fields = Split(text, '\t');
        if (fields.size() < 6) continue;
        runs.push_back(Run{fields[0],
                           fields[1],
                           fields[2],
                           static_cast<DWORD>(std::atol(fields[3].c_str())),
                           Delays(fields[4]),
                           {fields.begin() + 5, fields.end()}});
    }
    std::fclose(file);
    return runs;
}

void Note(const std::string& label, const char* event, double seconds) {
    std::printf("%s %s %.6f\n", label.c_str(), event, seconds);
    std::fflush(stdout);
}

// The dialog's list, once the dialog has made it: the dialog's window exists a moment before its
// controls do.
HWND PlaylistList() {
    for (int tries = 0; tries < 500; ++tries) {
        if (HWND dialog = FindWindowA("#32770", "Pipit Playlist")) {
            if (HWND list = GetDlgItem(dialog, kPlaylistList)) {
                return list;
            }
        }
        Sleep(10);
    }
    return nullptr;
}

// Presses the key of the run's action for the k-th time (from 1): a hotkey's message, a double-click
// in the dialog's list, or a hand-over, each as the player receives it.
void Press(const std::string& action, const std::vector<std::string>& files, HWND window, HWND list, size_t k) {
    if (action == "previous") {
        PostMessageA(window, WM_HOTKEY, kPreviousHotkey, MAKELPARAM(MOD_ALT, VK_NUMPAD4));
    } else if (action == "pick") {
        SendMessageA(list, LB_SETCURSEL, 2 * k, 0);
        PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(kPlaylistList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
    } else if (action == "handover") {
        std::string packed = k < files.size() ? files[k] : std::string();
        packed.push_back('\0');
        COPYDATASTRUCT data{kOpenPathsData, static_cast<DWORD>(packed.size()), packed.data()};
        DWORD_PTR taken = 0;
        SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000, &taken);
    } else {
        PostMessageA(window, WM_HOTKEY, kNextHotkey, MAKELPARAM(MOD_ALT, VK_NUMPAD6));
    }
}

void Perform(const Run& run, const std::string& folder) {
    const Program pipit{folder + "\\pipit.exe", "Pipit", kTrayIconId};
    const Program bare{folder + "\\bench_bare_mci.exe", "PipitBenchBareMci", 0};
    const Program& program = run.player == "pipit" ? pipit : bare;
    Note(run.label, "launched", Now());
    const bool handOver = run.player == "pipit" && run.action == "handover";
    Started started =
        Start(program, handOver ? std::vector<std::string>(run.files.begin(), run.files.begin() + 1) : run.files);
    if (!started.window) {
        std::fprintf(stderr, "bench_hearing: %s did not start\n", program.path.c_str());
        End(program, started);
        return;
    }
    HWND list = nullptr;
    if (run.player == "pipit" && run.action == "pick") {
        PostMessageA(started.window, WM_COMMAND, kViewCommand, 0);
        list = PlaylistList();
        if (!list) {
            std::fprintf(stderr, "bench_hearing: the Playlist dialog did not open\n");
        }
    }
    Note(run.label, "started", Now());
    size_t k = 0;
    for (const DWORD delay : run.pressDelaysMs) {
        Sleep(delay);
        const double pressed = Now();
        Press(run.player == "pipit" ? run.action : "next", run.files, started.window, list, ++k);
        Note(run.label, "press", pressed);
    }
    Sleep(run.playMs);
    End(program, started);
    Note(run.label, "ended", Now());
    Sleep(kPauseMs);
}

std::string FolderOfThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_hearing.exe PLAN\n");
        return 2;
    }
    Note("clock", "now", Now());
    const std::string folder = FolderOfThisProgram();
    for (const Run& run : ReadPlan(argv[1])) Perform(run, folder);
    return 0;
}
