#include "dialogs/FileChoosers.h"

#include "app/AppState.h"

int LoadFilterString(UINT, char* buffer, int) {
    buffer[0] = '\0';
    return 1;
}

void ClearPlaylist() {
    StopPlayback();
    g_playlist = std::make_unique<Playlist>();
    g_playlist->SetLoop(g_loop);
}

void SelectMediaFiles(HWND) {}

void LoadPlaylist(HWND) {}

void SavePlaylist(HWND) {}
