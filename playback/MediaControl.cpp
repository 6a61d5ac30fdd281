#include <algorithm>

#include "playback/DeviceTypes.h"
#include "playback/DeviceVolume.h"
#include "playback/MciCommand.h"
#include "playback/MciDrivers.h"
#include "playback/Playlist.h"

#include <digitalv.h>  // after the platform's headers, which it does not include itself

namespace {

int mpegDeviceVolume = 1000;

bool IsMpegType(std::string_view deviceType) { return DeviceKindOf(deviceType) == DeviceKind::Mpeg; }

void SetAudioVolume(UINT deviceId, int permille) {
    MCI_DGV_SETAUDIO_PARMSA audio{};
    audio.dwItem = MCI_DGV_SETAUDIO_VOLUME;
    audio.dwValue = static_cast<DWORD>(permille);
    SendMciCommand(deviceId, MCI_SETAUDIO, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE | MCI_WAIT,
                   reinterpret_cast<DWORD_PTR>(&audio));
}

// A device's volume holds from its play on: a new device starts at full volume, and one set before
// it plays still does.
int AfterPlay(const PlaylistEntry& entry, int played) {
    if (played && mpegDeviceVolume != 1000 && IsMpegType(entry.deviceType())) {
        SetAudioVolume(entry.deviceId, mpegDeviceVolume);
    }
    return played;
}

}  // namespace

void SetMpegDeviceVolume(int permille) { mpegDeviceVolume = permille; }

int MpegDeviceVolume() { return mpegDeviceVolume; }

void Playlist::ApplyMpegDeviceVolume() const {
    for (const auto& [deviceId, entry] : openDevices) {
        // A device set aside is known by its id alone, and its type no longer: it is set all the same.
        if (!entry || IsMpegType(entry->deviceType())) {
            SetAudioVolume(deviceId, mpegDeviceVolume);
        }
    }
}

// Each successful play is three commands on one fresh device: open, set the time format, play.
int Playlist::PlayCurrentFrom(HWND window, DWORD from) {
    PlaylistEntry* entry = WalkTo(current);
    if (!entry) {
        return 0;
    }
    // A refused open leaves the entry's device in place. When it is still open (Play chosen again
    // while it plays: MCI refuses a second open of the file), the play restarts it from the beginning.
    if (!OpenDevice(*entry) && !HoldsOpen(*entry)) {
        return 0;
    }
    return AfterPlay(
        *entry,
        PlayDevice(window, entry->deviceId, from) || (from != 0 && PlayDevice(window, entry->deviceId, 0)) ? 1 : 0);
}

// A wave device that is stopped, or closed while it plays, first plays out what it has queued: half
// a second under Wine, and the command waits for it. Paused first, it falls silent at once, and its
// close takes a moment only. A pause sent just as its play started may not take: it is then stopped.
void Playlist::StopCurrent() {
    PlaylistEntry* entry = WalkTo(current);
    if (!entry || !HoldsOpen(*entry)) {
        return;
    }
    const bool silenced = DeviceKindOf(entry->deviceType()) == DeviceKind::Wave &&
                          SendMciCommand(entry->deviceId, MCI_PAUSE, MCI_WAIT, 0) == 0 &&
                          DeviceMode(entry->deviceId) != MCI_MODE_PLAY;
    if (!silenced) {
        StopDevice(entry->deviceId);
    }
    // Closed even when the stop is refused.
    CloseDevice(entry->deviceId);
    Closed(entry->deviceId);
}

DWORD Playlist::CurrentLength() const {
    const PlaylistEntry* entry = WalkTo(current);
    return entry && HoldsOpen(*entry) ? DeviceStatus(entry->deviceId, MCI_STATUS_LENGTH) : 0;
}

DWORD Playlist::CurrentPosition() const {
    const PlaylistEntry* entry = WalkTo(current);
    return entry && HoldsOpen(*entry) ? DeviceStatus(entry->deviceId, MCI_STATUS_POSITION) : 0;
}

bool Playlist::CurrentPlays() const {
    const PlaylistEntry* entry = WalkTo(current);
    return entry && HoldsOpen(*entry) && DeviceMode(entry->deviceId) == MCI_MODE_PLAY;
}

DWORD Playlist::DeviceStatus(UINT deviceId, DWORD item) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    return SendMciCommand(deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) == 0
               ? static_cast<DWORD>(status.dwReturn)
               : 0;
}

DWORD Playlist::DeviceMode(UINT deviceId) { return DeviceStatus(deviceId, MCI_STATUS_MODE); }

UINT Playlist::OpenAhead(int position) {
    PlaylistEntry* entry = WalkTo(position);
    if (!entry || HoldsOpen(*entry) || !OpenDevice(*entry)) {
        return 0;
    }
    if (!SetTimeFormat(entry->deviceId)) {
        CloseOpened(entry->deviceId);
        return 0;
    }
    // Readied to play (a wave device opens its output), so that its sound starts sooner; a device
    // that has no cue plays all the same.
    SendMciCommand(entry->deviceId, MCI_CUE, MCI_WAIT, 0);
    return entry->deviceId;
}

int Playlist::PlayOpened(HWND window) {
    const PlaylistEntry* entry = WalkTo(current);
    if (!entry || !HoldsOpen(*entry)) {
        return 0;
    }
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    play.dwFrom = 0;
    return AfterPlay(
        *entry,
        SendMciCommand(entry->deviceId, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play)) == 0 ? 1
                                                                                                                  : 0);
}

void Playlist::CloseOpened(UINT deviceId) {
    const auto open = std::find_if(openDevices.begin(), openDevices.end(),
                                   [deviceId](const auto& device) { return device.first == deviceId; });
    if (open != openDevices.end()) {
        CloseDevice(deviceId);
        openDevices.erase(open);
    }
}

UINT Playlist::SetCurrentDeviceAside() {
    const PlaylistEntry* entry = WalkTo(current);
    if (!entry) {
        return 0;
    }
    const auto open = std::find(openDevices.begin(), openDevices.end(),
                                std::pair<UINT, const PlaylistEntry*>(entry->deviceId, entry));
    if (open == openDevices.end()) {
        return 0;
    }
    open->second = nullptr;  // kept open, and known by its id alone
    return open->first;
}

int Playlist::PauseCurrent() {
    const PlaylistEntry* entry = WalkTo(current);
    return entry && HoldsOpen(*entry) && SendMciCommand(entry->deviceId, MCI_PAUSE, MCI_WAIT, 0) == 0 ? 1 : 0;
}

// The paused play goes on, and its own notice comes at its end. A device that has no resume is
// played on from where it stands instead.
int Playlist::ResumeCurrent(HWND window) {
    const PlaylistEntry* entry = WalkTo(current);
    if (!entry || !HoldsOpen(*entry)) {
        return 0;
    }
    return AfterPlay(*entry, SendMciCommand(entry->deviceId, MCI_RESUME, MCI_WAIT, 0) == 0
                                 ? 1
                                 : PlayDeviceOn(window, entry->deviceId));
}

bool Playlist::HoldsOpen(const PlaylistEntry& entry) const {
    return std::find(openDevices.begin(), openDevices.end(),
                     std::pair<UINT, const PlaylistEntry*>(entry.deviceId, &entry)) != openDevices.end();
}

void Playlist::Closed(UINT deviceId) {
    std::erase_if(openDevices, [deviceId](const auto& device) { return device.first == deviceId; });
}

int Playlist::OpenDevice(PlaylistEntry& entry) {
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = entry.deviceType().data();
    open.lpstrElementName = entry.path().data();
    if (SendMciCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        return 0;
    }
    entry.deviceId = open.wDeviceID;
    Closed(entry.deviceId);  // an id MCI hands out again names no other device of ours any more
    openDevices.emplace_back(entry.deviceId, &entry);

    KeepOpenedMciDriversLoaded(entry.deviceType().data());
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
