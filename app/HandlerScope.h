#pragma once

// The life of the live playlist beside the handlers of messages (HandlerScope and ReplacePlaylist
// are declared in app/AppState.h, for the dialogs too).

#include <memory>

#include "playback/Playlist.h"

// Makes the playlist live with the Loop setting and shows it in an open Playlist dialog, keeping
// the searches of paths under way. The caller has stopped playback. ReplacePlaylist comes here;
// so do the window's first playlist, the kept session and the first entries of a hand-over.
void MakeLive(std::unique_ptr<Playlist> playlist);
// The player's end: the playlist goes once no handler is running any more.
void EndLivePlaylist();
