#pragma once

// The conversation between two copies of the player. A copy started with paths ("Open with",
// files dragged onto pipit.exe, Explorer's Enter on several files, which starts a copy per file)
// hands them to the copy that runs already, which plays them; there is one player, and one icon.

#include <windows.h>

#include "common/LongPaths.h"
#include "common/NotCopied.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The paths the program was started with: each argument after the program's own name, made a full
// path in this process's folder and code page. Empty arguments are left out.
std::vector<std::string> PathsFromCommandLine(int argc, char** argv);

// Holds off every other copy while this one looks for a running player and, finding none, becomes
// it, so that copies started together make one player.
class StartUpLock : NotCopied {
public:
    StartUpLock();
    ~StartUpLock();

private:
    HANDLE mutex_;
    bool held_ = false;
};

// The running player's main window in this session, or null.
HWND FindRunningPlayer();

// What a hand-over came to: how many of the paths the running player took (the first ones, in
// their order) of how many there were.
struct HandedOver {
    size_t taken = 0;
    size_t paths = 0;
    bool All() const { return taken == paths; }
};
// Hands the paths to the running player, as many hand-overs as their size needs, and stops at the
// first that it does not take in time (it hangs, or is busy beyond any wait a person accepts).
HandedOver HandOverPaths(HWND player, const std::vector<std::string>& paths);
// What to tell the user of paths not all taken: none of them, or which were not.
std::string HandOverRefusedText(const HandedOver& handedOver, const std::vector<std::string>& paths);
// Tells the user, in a message box.
void ShowHandOverRefused(const std::string& text);

// A hand-over carries what a command line can: its bytes are full paths, each followed by a NUL,
// at most this many bytes in all (32,767 characters, each at most three bytes in UTF-8).
constexpr size_t kHandOverLimit = kLongestPathBytes;
// Packs paths into hand-overs of at most kHandOverLimit bytes each; a longer path is left out.
std::vector<std::string> PackHandOvers(const std::vector<std::string>& paths);
// The paths of a hand-over, or none when the bytes are not in its form: too many of them, no NUL
// at the end, an empty path, or a path that is not a full one.
std::optional<std::vector<std::string>> UnpackHandOver(std::string_view packed);

// The running player's side: a WM_COPYDATA from another copy. Refused before anything is unpacked
// unless it is a hand-over in its form; its paths are then opened after those handed over before.
LRESULT OnCopyData(HWND window, WPARAM wParam, LPARAM lParam);
