#include "app/AppState.h"

#include <vector>

#include "app/Playing.h"
#include "app/Session.h"
#include "common/PrivateIds.h"

HINSTANCE g_instance = nullptr;
char g_title[200] = "";
char g_className[200] = "";
HMENU g_menu = nullptr;
std::unique_ptr<Playlist> g_playlist;
int g_runAtStartup = 0;
int g_loop = 0;

namespace {

int handlersRunning = 0;
std::vector<std::unique_ptr<Playlist>> retired;  // replaced while a handler was running
bool ended = false;                              // the window is gone; so goes the playlist
HWND playlistView = nullptr;
unsigned generation = 0;

}  // namespace

HandlerScope::HandlerScope() { ++handlersRunning; }

HandlerScope::~HandlerScope() {
    if (--handlersRunning > 0) {
        return;
    }
    retired.clear();
    if (ended) {
        g_playlist.reset();
        ended = false;
        return;
    }
    // Once a message has been handled, whichever command, notice or timer changed what plays; not
    // between an entry's end and the next one's start.
    AfterEachMessage();
    NoteSessionChanges();
}

void SetLivePlaylist(std::unique_ptr<Playlist> playlist) {
    if (handlersRunning > 0 && g_playlist) {
        retired.push_back(std::move(g_playlist));
    }
    g_playlist = std::move(playlist);
    g_playlist->SetLoop(g_loop);
    ++generation;
    if (playlistView) {
        SendMessageA(playlistView, WM_PLAYLIST_CHANGED, TRUE, 0);
    }
}

unsigned LivePlaylistGeneration() { return generation; }

void AppendToLivePlaylist(const Playlist& entries) {
    const PlaylistEntry* lastBefore = g_playlist->Tail();
    for (const PlaylistEntry* entry = entries.Head(); entry; entry = entry->next) {
        g_playlist->Add(entry->path());
    }
    const PlaylistEntry* first = lastBefore ? lastBefore->next : g_playlist->Head();
    if (playlistView && first) {
        SendMessageA(playlistView, WM_PLAYLIST_CHANGED, FALSE, reinterpret_cast<LPARAM>(first));
    }
}

void EndLivePlaylist() {
    if (handlersRunning > 0) {
        ended = true;
    } else {
        g_playlist.reset();
    }
}

void SetPlaylistView(HWND dialog) { playlistView = dialog; }
