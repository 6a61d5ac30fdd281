#include "app/NeighbourDevices.h"

#include "app/AppState.h"
#include "app/PlayOrder.h"
#include "common/FileProbe.h"
#include "common/PrivateIds.h"

namespace {

// How long the ended entry's device stays open after the next one started: longer than any output
// holds sound (a DirectShow device holds a few hundred milliseconds).
constexpr UINT kEndedDeviceMs = 1500;

// What was opened ahead, and for which playlist as it stood then: entries added, taken out or moved
// may lead elsewhere.
struct OpenedAhead {
    const Playlist* playlist = nullptr;
    unsigned edits = 0;
    int position = 0;  // 0: nothing is open ahead
    UINT device = 0;
};

OpenedAhead ahead;
// The last entry that would not open ahead, in the playlist as it stood: not tried again before its
// turn, which tries it as any entry is tried.
OpenedAhead refused;
UINT endedDevice = 0;
HWND endedWindow = nullptr;
bool openAheadPosted = false;

// Whether what was opened is still for the entry at position of the playlist as it stands.
bool StillFor(const OpenedAhead& opened, int position) {
    return opened.position != 0 && opened.position == position && opened.playlist == g_playlist.get() &&
           opened.edits == g_playlist->Edits();
}

bool AheadLeadsTo(int position) { return StillFor(ahead, position); }

}  // namespace

// By the device, not the position: the playlist may have been edited since, and the entry opened
// ahead be current now at another position.
bool TakeOpenedAhead() {
    if (ahead.position == 0 || ahead.playlist != g_playlist.get() || !g_playlist->CurrentHoldsDevice() ||
        g_playlist->CurrentDeviceId() != ahead.device) {
        return false;
    }
    ahead = {};
    return true;
}

void SetEndedDeviceAside(HWND window, UINT deviceId) {
    CloseEndedDevice();  // the one before has had the whole of an entry to sound out
    if (deviceId == 0) {
        return;
    }
    endedDevice = deviceId;
    endedWindow = window;
    SetTimer(window, kEndedDeviceTimer, kEndedDeviceMs, nullptr);
}

void CloseEndedDevice() {
    if (endedDevice == 0) {
        return;
    }
    KillTimer(endedWindow, kEndedDeviceTimer);
    g_playlist->CloseOpened(endedDevice);
    endedDevice = 0;
}

void CloseOpenedAhead() {
    if (ahead.position != 0) {
        g_playlist->CloseOpened(ahead.device);
        ahead = {};
    }
}

void SyncOpenedAhead(HWND window, bool playing) {
    const int next = playing ? PositionAfterCurrent() : 0;
    if (ahead.position != 0 && !AheadLeadsTo(next)) {
        CloseOpenedAhead();
    }
    if (next != 0 && ahead.position == 0 && !StillFor(refused, next) && !openAheadPosted &&
        PostMessageA(window, WM_OPEN_AHEAD, 0, 0)) {
        openAheadPosted = true;
    }
}

void OpenNextAhead(bool playing) {
    openAheadPosted = false;
    const int next = playing ? PositionAfterCurrent() : 0;
    if (next == 0 || ahead.position != 0 || StillFor(refused, next)) {
        return;
    }
    refused = {g_playlist.get(), g_playlist->Edits(), next, 0};
    // A file that is not there is left to its turn, which passes over it.
    if (!FileAnswersWithin(std::string(g_playlist->EntryAt(next)->path()), kFileAnswerMs)) {
        return;
    }
    if (const UINT device = g_playlist->OpenAhead(next)) {
        ahead = {g_playlist.get(), g_playlist->Edits(), next, device};
        refused = {};
    }
}

const PlaylistEntry* EntryOpenedAhead() {
    return AheadLeadsTo(PositionAfterCurrent()) ? g_playlist->EntryAt(ahead.position) : nullptr;
}

void ForgetNeighbourDevices() {
    ahead = {};
    refused = {};
    endedDevice = 0;
    openAheadPosted = false;
}
