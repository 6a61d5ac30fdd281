#include "app/HandlerScope.h"

#include <vector>

#include "app/AppState.h"
#include "app/Playing.h"
#include "app/Session.h"
#include "dialogs/PlaylistView.h"
#include "playback/PathSearch.h"

namespace {

int handlersRunning = 0;
// Of the handlers running, those that wait in a message loop of their own (ModalLoopScope).
int handlersWaiting = 0;
std::vector<std::unique_ptr<Playlist>> retired;  // replaced while a handler was running
bool ended = false;                              // the window is gone; so goes the playlist
unsigned generation = 0;

// Whether every handler still running waits in a modal loop: the message just handled was a whole
// one, dispatched by a loop, and no handler is in the middle of its work.
bool AllHandlersWait() { return handlersRunning <= handlersWaiting; }

// A waiting handler holds no playlist (see ModalLoopScope): the replaced ones go now, so that
// playlists loaded one after another while a dialog is open do not pile up.
void AfterWholeMessage() {
    retired.clear();
    AfterEachMessage();
    NoteSessionChanges();
    ShowPlaylistChanges();
}

}  // namespace

HandlerScope::HandlerScope() { ++handlersRunning; }

HandlerScope::~HandlerScope() {
    --handlersRunning;
    if (!AllHandlersWait()) {
        return;
    }
    if (ended) {
        if (handlersRunning == 0) {
            g_playlist.reset();
            ended = false;
        }
        return;
    }
    if (!g_playlist) {
        return;  // the window's first messages, before its creation made the playlist
    }
    // The work counts as a handler at work: a message it sends (the list it fills asks the dialog
    // for its colours) is not followed by the work again, in the middle of it.
    ++handlersRunning;
    AfterWholeMessage();
    --handlersRunning;
}

ModalLoopScope::ModalLoopScope() { ++handlersWaiting; }

ModalLoopScope::~ModalLoopScope() { --handlersWaiting; }

void MakeLive(std::unique_ptr<Playlist> playlist) {
    if (handlersRunning > 0 && g_playlist) {
        retired.push_back(std::move(g_playlist));
    }
    g_playlist = std::move(playlist);
    g_playlist->SetLoop(g_loop);
    ++generation;
    ShowPlaylistChanges();
}

void ReplacePlaylist(std::unique_ptr<Playlist> playlist) {
    CancelPathSearches();
    StopPlayback();
    MakeLive(std::move(playlist));
}

void ClearPlaylist() { ReplacePlaylist(std::make_unique<Playlist>()); }

unsigned LivePlaylistGeneration() { return generation; }

void AppendToLivePlaylist(const Playlist& entries) {
    for (const PlaylistEntry* entry = entries.Head(); entry; entry = entry->next) {
        g_playlist->Add(entry->path());
    }
    ShowPlaylistChanges();
}

void EndLivePlaylist() {
    if (handlersRunning > 0) {
        ended = true;
    } else {
        g_playlist.reset();
    }
}
