#include "app/Session.h"

#include <shlobj.h>

#include <string>

#include "app/AppState.h"
#include "app/HandlerScope.h"
#include "common/PrivateIds.h"
#include "playback/SessionFile.h"

namespace {

// How long after a change the session is written: a search for a playable entry or a folder
// search changes it many times a second, and is written once.
constexpr UINT kWriteDelayMs = 2000;

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
}

void NoteSessionChanges() {
    if (!sessionWindow || writeArmed || Now() == written) {
        return;
    }
    writeArmed = SetTimer(sessionWindow, kSessionTimer, kWriteDelayMs, nullptr) != 0;
}

void WriteSessionNow() {
    if (!sessionWindow) {
        return;
    }
    if (writeArmed) {
        KillTimer(sessionWindow, kSessionTimer);
        writeArmed = false;
    }
    const Kept now = Now();
    if (now == written) {
        return;  // nothing to write: an Exit with nothing changed asks nothing of the disk
    }
    const std::string path = SessionPath();
    // A write that fails is tried again with the next change; nothing is shown for it.
    if (!path.empty() && WriteSessionFile(path, *g_playlist)) {
        written = now;
    }
}

void ForgetSession() {
    sessionWindow = nullptr;
    writeArmed = false;
}
