#include "playback/MciCommand.h"
#include "playback/MciDrivers.h"
#include "playback/Playlist.h"

// Each successful play is three commands on one fresh device: open, set the time format, play from 0.
int Playlist::PlayCurrent(HWND window) {
    PlaylistEntry* entry = CurrentEntry();
    if (!entry) {
        return 0;
    }
    // A refused open leaves the id of the entry's last device in place. When that device is still
    // open (Play chosen again while it plays), the play below restarts it from the beginning.
    OpenDevice(entry->path().data(), entry->deviceType().data(), entry->deviceId);
    return PlayDevice(window, entry->deviceId, 0);
}

void Playlist::StopCurrent() {
    PlaylistEntry* entry = CurrentEntry();
    if (!entry) {
        return;
    }
    // Close even when the stop is refused; a device already closed refuses both, harmlessly.
    StopDevice(entry->deviceId);
    CloseDevice(entry->deviceId);
}

int Playlist::PauseCurrent() {
    const PlaylistEntry* entry = CurrentEntry();
    return entry && SendMciCommand(entry->deviceId, MCI_PAUSE, MCI_WAIT, 0) == 0 ? 1 : 0;
}

// The paused play goes on, and its own notice comes at its end. A device that has no resume is
// played on from where it stands instead.
int Playlist::ResumeCurrent(HWND window) {
    const PlaylistEntry* entry = CurrentEntry();
    if (!entry) {
        return 0;
    }
    return SendMciCommand(entry->deviceId, MCI_RESUME, MCI_WAIT, 0) == 0 ? 1 : PlayDeviceOn(window, entry->deviceId);
}

int Playlist::OpenDevice(const char* path, const char* deviceType, UINT& deviceId) {
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = deviceType;
    open.lpstrElementName = path;
    if (SendMciCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        return 0;
    }
    deviceId = open.wDeviceID;
    KeepOpenedMciDriversLoaded(deviceType);
    return 1;
}

int Playlist::SetTimeFormat(UINT deviceId) {
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    return SendMciCommand(deviceId, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)) == 0 ? 1 : 0;
}

int Playlist::PlayDevice(HWND window, UINT deviceId, DWORD from) {
    if (!SetTimeFormat(deviceId)) {
        return 0;
    }
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    play.dwFrom = from;
    return SendMciCommand(deviceId, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play)) == 0 ? 1 : 0;
}

// A play without a starting point goes on from where the device stands.
int Playlist::PlayDeviceOn(HWND window, UINT deviceId) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    return SendMciCommand(deviceId, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0 ? 1 : 0;
}

DWORD Playlist::StopDevice(UINT deviceId) { return SendMciCommand(deviceId, MCI_STOP, MCI_WAIT, 0); }

DWORD Playlist::CloseDevice(UINT deviceId) { return SendMciCommand(deviceId, MCI_CLOSE, MCI_WAIT, 0); }
