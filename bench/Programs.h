#pragma once

// Programs of the benchmarks launched from here as the shell launches them, and ended by their Exit.

#include <windows.h>

#include <string>
#include <vector>

struct Program {
    std::string path;
    const char* className;  // of its hidden main window
    UINT iconId;            // of its tray icon; 0 for a program that shows none
};

// A program started, up to its window and its icon in the tray; the window is null when they did
// not come.
struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

Started Start(const Program& program, const std::vector<std::string>& arguments = {});
// Exit, as the menu sends it, until the process has ended.
void End(const Program& program, Started& started);
// The player's shell started in this process (StartUp): its Exit, and the quit message its window's
// end leaves in the queue taken.
void EndShell(HWND shell);
