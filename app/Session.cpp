#include "app/Session.h"

#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/HandlerScope.h"
#include "app/Playing.h"
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

// What the session file holds, told by the playlist's identity, its edits, its current entry and
// the position kept in it: a change in any of them is to be written.
struct SessionSnapshot {
    unsigned playlist = 0;
    unsigned edits = 0;
    int current = 0;
    DWORD positionMs = 0;
    bool operator==(const SessionSnapshot&) const = default;
};

HWND sessionWindow = nullptr;
SessionSnapshot written;
// The position last kept, and the entry it is a position in: of no other entry is it written.
const PlaylistEntry* positionOf = nullptr;
unsigned positionPlaylist = 0;
DWORD positionMs = 0;
bool writeArmed = false;
DWORD lastWriteEnd = 0;
DWORD lastWriteTook = 0;
int failuresInARow = 0;

SessionSnapshot Snapshot() {
    const bool positionHolds =
        positionOf && positionOf == g_playlist->CurrentEntry() && positionPlaylist == LivePlaylistGeneration();
    return {LivePlaylistGeneration(), g_playlist->Edits(), g_playlist->Current(), positionHolds ? positionMs : 0};
}

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
        KeptSession kept = path.empty() ? KeptSession{} : ReadSessionFile(path);
        if (kept.playlist) {
            MakeLive(std::move(kept.playlist));
            KeepPosition(g_playlist->CurrentEntry(), kept.positionMs);
            ResumeAt(g_playlist->CurrentEntry(), kept.positionMs);
        }
    }
    sessionWindow = window;
    written = Snapshot();
    writeArmed = false;
    failuresInARow = 0;
}

void NoteSessionChanges() {
    if (!sessionWindow || writeArmed || Snapshot() == written) {
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
    const SessionSnapshot now = Snapshot();
    if (now == written) {
        return true;  // nothing to write: an Exit with nothing changed asks nothing of the disk
    }
    const std::string path = SessionPath();
    const DWORD start = GetTickCount();
    // Never waits for a file that another program holds: the timer tries again later.
    if (path.empty() || !WriteSessionFile(path, *g_playlist, now.positionMs, 0)) {
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

void KeepPosition(const PlaylistEntry* entry, DWORD ms) {
    positionOf = entry;
    positionPlaylist = LivePlaylistGeneration();
    positionMs = ms;
}

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
