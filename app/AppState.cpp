#include "app/AppState.h"

#include <mmsystem.h>

#include "app/TrayIcon.h"

HINSTANCE g_instance = nullptr;
char g_title[200] = "";
char g_className[200] = "";
HMENU g_menu = nullptr;
std::unique_ptr<Playlist> g_playlist;
int g_playing = 0;
int g_runAtStartup = 0;
int g_loop = 0;

void PlayCurrentAndShow(HWND window) {
    if (g_playlist->GetCount() > 0) {
        g_playlist->PlayCurrent(window);
        g_playing = 1;
    }
    ShowTrayTip(window, g_playlist->CurrentPath());
}

void StopPlayback() {
    g_playlist->StopCurrent();
    g_playing = 0;
    // Every MCI notice of this program goes to the main window, the one window of this thread
    // that receives them.
    MSG stale;
    while (PeekMessageA(&stale, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}
