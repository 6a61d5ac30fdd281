// The Windows side of the listening benchmark (bench/hearing.py records and judges what is heard):
// starts the players of a plan one after another with their files on the command line, presses
// Next where the plan says (the hotkey's message posted to the player's window), and ends each with
// the exit command. Prints when each thing happened, on the performance counter, which under Wine
// counts the host's raw monotonic clock, so that the recorder can place it in the recording.
//
// Usage: bench_hearing.exe PLAN, where each line of PLAN is one run, its fields separated by tabs:
// label, player (pipit or bare), play ms, presses, files... The presses are the milliseconds before
// each press of Next, separated by commas ("-" for none), the first counted from the moment the
// player's window is there. The player plays on for `play ms` after that (after its last press).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/TrayIcon.h"
#include "bench/Programs.h"
#include "bench/Timing.h"

namespace {

// Silence between two runs, so that no sound of one falls into the next one's part of the recording.
constexpr DWORD kPauseMs = 700;
constexpr WPARAM kNextHotkey = 2;

struct Run {
    std::string label;
    std::string player;
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
        if (fields.size() < 5) continue;
        runs.push_back(Run{fields[0],
                           fields[1],
                           static_cast<DWORD>(std::atol(fields[2].c_str())),
                           Delays(fields[3]),
                           {fields.begin() + 4, fields.end()}});
    }
    std::fclose(file);
    return runs;
}

void Note(const std::string& label, const char* event, double seconds) {
    std::printf("%s %s %.6f\n", label.c_str(), event, seconds);
    std::fflush(stdout);
}

void Perform(const Run& run, const std::string& folder) {
    const Program pipit{folder + "\\pipit.exe", "Pipit", kTrayIconId};
    const Program bare{folder + "\\bench_bare_mci.exe", "PipitBenchBareMci", 0};
    const Program& program = run.player == "pipit" ? pipit : bare;
    Note(run.label, "launched", Now());
    Started started = Start(program, run.files);
    if (!started.window) {
        std::fprintf(stderr, "bench_hearing: %s did not start\n", program.path.c_str());
        End(program, started);
        return;
    }
    Note(run.label, "started", Now());
    for (const DWORD delay : run.pressDelaysMs) {
        Sleep(delay);
        const double pressed = Now();
        PostMessageA(started.window, WM_HOTKEY, kNextHotkey, MAKELPARAM(MOD_ALT, VK_NUMPAD6));
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
