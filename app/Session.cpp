#include "app/Session.h"

#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/HandlerScope.h"
#include "common/PrivateIds.h"
#include "playback/SessionFile.h"

namespace {

// How long after a change the session is written: a search for a playable entry or a folder
// search changes it many times a second, and is written once.
constexpr UINT kWriteDelayMs = 2000;
// A write that fails (the file held by a backup or sync tool) is tried again after a pause that
// doubles each time, up to this long.
constexpr UINT kLongestRetryMs = 60000;
// The session is written on the interface thread, for at most a twentieth of its time: a long
// playlist, which takes a while to write, is written less often.
constexpr DWORD kWriteShare = 20;

// What the session file holds, by the playlist's identity, its edits and its current position.
struct Kept {
    unsigned playlist = 0;
    unsigned edits = 0;
    int current = 0;
    bool operator==(const Kept&) const = default;
};

HWND sessionWindow = nullptr;
Kept written;
bool writeArmed = false;
DWORD lastWriteEnd = 0;
DWORD lastWriteTook = 0;
int failuresInARow = 0;

Kept Now() { return {LivePlaylistGeneration(), g_playlist->Edits(), g_playlist->Current()}; }

// %APPDATA%\Pipit\session.txt; the empty text where there is no application data folder.
std::string SessionPath() {
    char folder[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    std::string path = std::string(folder) + "\\Pipit";
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\session.txt";
}

}  // namespace

void StartSession(HWND window, bool restore) {
    if (restore) {
        const std::string path = SessionPath();
        if (std::unique_ptr<Playlist> kept = path.empty() ? nullptr : ReadSessionFile(path)) {
            MakeLive(std::move(kept));
        }
    }
    sessionWindow = window;
    written = Now();
    writeArmed = false;
    failuresInARow = 0;
}

void NoteSessionChanges() {
    if (!sessionWindow || writeArmed || Now() == written) {
        return;
    }
    const UINT delay = SessionWriteDelay(GetTickCount() - lastWriteEnd, lastWriteTook, failuresInARow);
    writeArmed = SetTimer(sessionWindow, kSessionTimer, delay, nullptr) != 0;
}

bool WriteSessionNow() {
    if (!sessionWindow) {
        return true;
    }
    if (writeArmed) {
        KillTimer(sessionWindow, kSessionTimer);
        writeArmed = false;
    }
    const Kept now = Now();
    if (now == written) {
        return true;  // nothing to write: an Exit with nothing changed asks nothing of the disk
    }
    const std::string path = SessionPath();
    const DWORD start = GetTickCount();
    // Never waits for a file that another program holds: the timer tries again later.
    if (path.empty() || !WriteSessionFile(path, *g_playlist, 0)) {
        ++failuresInARow;
        return false;
    }
    lastWriteEnd = GetTickCount();
    lastWriteTook = lastWriteEnd - start;
    failuresInARow = 0;
    written = now;
    return true;
}

void OnSessionTimer() {
    if (!WriteSessionNow()) {
        NoteSessionChanges();  // armed again, later
    }
}

int SessionWritesFailedInARow() { return failuresInARow; }

UINT SessionWriteDelay(DWORD sinceLastWriteMs, DWORD lastWriteTookMs, int failuresInARow) {
    if (failuresInARow > 0) {
        const int doublings = std::min(failuresInARow - 1, 5);
        return std::min(kWriteDelayMs << doublings, kLongestRetryMs);
    }
    const DWORD share = kWriteShare * lastWriteTookMs;
    return share > sinceLastWriteMs + kWriteDelayMs ? static_cast<UINT>(share - sinceLastWriteMs) : kWriteDelayMs;
}

void ForgetSession() {
    sessionWindow = nullptr;
    writeArmed = false;
}
