#include "app/Volume.h"

#include <mmsystem.h>

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/TrayIcon.h"
#include "common/Platform.h"
#include "common/SystemLibrary.h"
#include "playback/DeviceVolume.h"
#include "resources/resource.h"

namespace {

constexpr int kStep = 10;

// Whether the volume was ever set other than full: until then nothing is asked of the platform, so
// that the player starts without the wave audio library, as a tray program that plays nothing.
bool volumeSet = false;

// The master volume of the first mixer, through its line to the speakers. The wave audio library
// is loaded with the first change, not at start-up.
void SetMixerVolume(int percent) {
    auto* open = SystemFunction<decltype(mixerOpen)>("winmm.dll", "mixerOpen");
    auto* lineInfo = SystemFunction<decltype(mixerGetLineInfoA)>("winmm.dll", "mixerGetLineInfoA");
    auto* controls = SystemFunction<decltype(mixerGetLineControlsA)>("winmm.dll", "mixerGetLineControlsA");
    auto* details = SystemFunction<decltype(mixerSetControlDetails)>("winmm.dll", "mixerSetControlDetails");
    auto* close = SystemFunction<decltype(mixerClose)>("winmm.dll", "mixerClose");
    HMIXER mixer = nullptr;
    if (!open || !lineInfo || !controls || !details || !close ||
        open(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        return;
    }
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    MIXERCONTROLA control{};
    MIXERLINECONTROLSA lineControls{};
    lineControls.cbStruct = sizeof lineControls;
    lineControls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    lineControls.cControls = 1;
    lineControls.cbmxctrl = sizeof control;
    lineControls.pamxctrl = &control;
    const auto object = reinterpret_cast<HMIXEROBJ>(mixer);
    if (lineInfo(object, &line, MIXER_GETLINEINFOF_COMPONENTTYPE) == MMSYSERR_NOERROR &&
        (lineControls.dwLineID = line.dwLineID,
         controls(object, &lineControls, MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR)) {
        MIXERCONTROLDETAILS_UNSIGNED value{};
        const DWORD range = control.Bounds.dwMaximum - control.Bounds.dwMinimum;
        value.dwValue =
            control.Bounds.dwMinimum + static_cast<DWORD>(static_cast<unsigned long long>(range) * percent / 100);
        MIXERCONTROLDETAILS set{};
        set.cbStruct = sizeof set;
        set.dwControlID = control.dwControlID;
        set.cChannels = 1;  // every channel alike
        set.cbDetails = sizeof value;
        set.paDetails = &value;
        details(object, &set, MIXER_SETCONTROLDETAILSF_VALUE);
    }
    close(mixer);
}

}  // namespace

void SetPlayerVolume(int percent) {
    g_volume = std::clamp(percent, 0, 100);
    volumeSet = volumeSet || g_volume != 100;
    if (!volumeSet) {
        CheckMenuRadioItem(g_menu, IDM_VOLUME_100, IDM_VOLUME_10, IDM_VOLUME_100, MF_BYCOMMAND);
        return;
    }
    SetMixerVolume(g_volume);
    if (RunningOnWine()) {
        SetMpegDeviceVolume(g_volume * 10);
        if (g_playlist) {
            g_playlist->ApplyMpegDeviceVolume();
        }
    }
    // 0 % has no item: none is checked then.
    CheckMenuRadioItem(g_menu, IDM_VOLUME_100, IDM_VOLUME_10, g_volume >= kStep ? VolumeCommand(g_volume) : 0,
                       MF_BYCOMMAND);
}

void StepPlayerVolume(HWND window, int steps) {
    SetPlayerVolume((g_volume + kStep / 2) / kStep * kStep + steps * kStep);
    ShowTrayMessage(window, "Volume: " + std::to_string(g_volume) + " %");
}

UINT VolumeCommand(int percent) { return IDM_VOLUME_100 + static_cast<UINT>((100 - percent) / kStep); }

int VolumeOfCommand(UINT command) {
    return command >= IDM_VOLUME_100 && command <= IDM_VOLUME_10
               ? 100 - static_cast<int>(command - IDM_VOLUME_100) * kStep
               : -1;
}
