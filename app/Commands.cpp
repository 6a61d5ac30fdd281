#include "app/Commands.h"

#include <mmsystem.h>

#include "app/AppState.h"
#include "app/Hotkeys.h"
#include "app/NeighbourDevices.h"
#include "app/PlayOrder.h"
#include "app/Playing.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "app/Volume.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/FileChoosers.h"
#include "dialogs/PlaylistDialog.h"
#include "resources/resource.h"

namespace {

// Plays the current entry from its beginning, or, the first time after a start, from where it was
// left in the last run.
void Play(HWND window) { PlayCurrentAndShow(window, Travel::Forward, TakeResumePosition()); }

void Stop() { StopPlayback(); }

// Next and Previous. Next goes on from a wrapped position whatever the Loop setting; either plays
// the neighbour's device opened ahead or kept where there is one.
void Step(HWND window, Travel travel) {
    if (g_playlist->GetCount() == 0) {
        return;
    }
    StopCurrentPlayback();
    if (travel == Travel::Forward) {
        StepForward();
    } else {
        StepBack();
    }
    PlayCurrentAndShow(window, travel);
}

// Play when nothing plays, else stop. A search for a playable entry and a paused entry count as
// playing: the click that ends them must not start another play.
void PlayOrStop(HWND window) {
    if (Playback() == PlaybackState::Stopped) {
        Play(window);
    } else {
        Stop();
    }
}

// The media key Play/Pause: a play pauses, a paused entry plays on from where it was, and otherwise
// it acts as a click on the icon. A device that cannot pause stops.
void PlayPause(HWND window) {
    if (Playback() == PlaybackState::Paused) {
        if (!ResumePlayback(window)) {
            Stop();
        }
    } else if (Playback() == PlaybackState::Playing) {
        if (!PausePlayback(window)) {
            Stop();
        }
    } else {
        PlayOrStop(window);
    }
}

// Also from inside a file chooser, a dialog or a message box: the window's end takes them along,
// and the commands that opened them find the window gone when they return.
void Exit(HWND window) {
    if (!IsWindow(window)) {
        return;
    }
    StopPlayback();
    WriteSessionNow();
    RemoveTrayIcon(window);
    DestroyWindow(window);
}

// The check shows what is stored: a write the registry refused changes nothing.
void ToggleRunAtStartup() {
    WriteRunAtStartup(!g_runAtStartup);
    g_runAtStartup = ReadRunAtStartup();
    SetMenuCheck(IDM_LOAD_AT_STARTUP, g_runAtStartup);
}

// Loop applies to playback at once, stored or not; its check follows playback.
void ToggleLoop() {
    g_loop = !g_loop;
    WriteLoop(g_loop);
    SetMenuCheck(IDM_LOOP, g_loop);
    g_playlist->SetLoop(g_loop);
}

// As Loop: at once, stored or not. Turned on, a round begins from the current entry.
void ToggleShuffle() {
    SetShuffle(!g_shuffle);
    WriteShuffle(g_shuffle);
    SetMenuCheck(IDM_SHUFFLE, g_shuffle);
}

void ChooseVolume(int percent) {
    SetPlayerVolume(percent);
    WriteVolume(g_volume);
}

void StepVolume(HWND window, int steps) {
    StepPlayerVolume(window, steps);
    WriteVolume(g_volume);
}

void ShowAbout(HWND window) {
    const ModalLoopScope waiting;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
}

}  // namespace

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDM_SELECT_MEDIA: SelectMediaFiles(window); break;
        case IDM_PLAYLIST_VIEW: ShowPlaylistDialog(window); break;
        case IDM_PLAYLIST_LOAD: LoadPlaylist(window); break;
        case IDM_PLAYLIST_SAVE: SavePlaylist(window); break;
        case IDM_ABOUT: ShowAbout(window); break;
        case IDM_LOAD_AT_STARTUP: ToggleRunAtStartup(); break;
        case IDM_PLAY: Play(window); break;
        case IDM_STOP: Stop(); break;
        case IDM_LOOP: ToggleLoop(); break;
        case IDM_PREV: Step(window, Travel::Backward); break;
        case IDM_NEXT: Step(window, Travel::Forward); break;
        case IDM_EXIT: Exit(window); break;
        case IDM_SHUFFLE: ToggleShuffle(); break;
        default:
            if (const int percent = VolumeOfCommand(LOWORD(wParam)); percent >= 0) {
                ChooseVolume(percent);
                break;
            }
            return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

LRESULT OnTrayNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP: PlayOrStop(window); return 0;
        case WM_RBUTTONUP: ShowTrayMenu(window); return 0;
        case WM_MBUTTONUP: SelectMediaFiles(window); return 0;
        default: return DefWindowProcA(window, WM_TRAYNOTIFY, wParam, lParam);
    }
}

LRESULT OnHotkey(HWND window, WPARAM wParam, LPARAM) {
    switch (static_cast<int>(wParam)) {
        case kHotkeyPlay: Play(window); break;
        case kHotkeyStop:
        case kHotkeyMediaStop: Stop(); break;
        case kHotkeyNext:
        case kHotkeyMediaNext: Step(window, Travel::Forward); break;
        case kHotkeyPrevious:
        case kHotkeyMediaPrevious: Step(window, Travel::Backward); break;
        case kHotkeyPlayPause: PlayPause(window); break;
        case kHotkeyVolumeUp: StepVolume(window, 1); break;
        case kHotkeyVolumeDown: StepVolume(window, -1); break;
        default: break;
    }
    return 0;
}

// A notice of a play that was stopped since (Next pressed as the entry ended) changes nothing.
LRESULT OnMciNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case MCI_NOTIFY_SUCCESSFUL: OnPlayEndNotice(window, lParam); return 0;
        // These only ever follow the player's own stop, close or replay, which already ended the
        // play they concern; the entry started since then may be playing now.
        case MCI_NOTIFY_SUPERSEDED:
        case MCI_NOTIFY_ABORTED: return 0;
        case MCI_NOTIFY_FAILURE:
            if (IsNoticeOfCurrentPlay(lParam)) {
                NoticeFailed();
            }
            return 0;
        default: return DefWindowProcA(window, MM_MCINOTIFY, wParam, lParam);
    }
}

LRESULT OnTimer(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case kPlayableSearchTimer: ContinuePlayableSearch(window); return 0;
        case kEndedDeviceTimer: CloseEndedDevice(); return 0;
        case kNextPlayTimer: OnNextPlayTimer(window); return 0;
        case kPositionTimer: OnPositionTimer(); return 0;
        case kTipMessageTimer: EndTrayMessage(window); return 0;
        case kSessionTimer: OnSessionTimer(); return 0;
        default: return DefWindowProcA(window, WM_TIMER, wParam, lParam);
    }
}

// A close from outside (a task manager) ends the player as Exit does.
LRESULT OnClose(HWND window) {
    Exit(window);
    return 0;
}

// The session ends (the user logs off, Windows shuts down): the player ends as on Exit, the icon
// taken away and the devices closed, before the system ends the process.
LRESULT OnEndSession(HWND window, WPARAM ending) {
    if (ending) {
        Exit(window);
    }
    return 0;
}
