#pragma once

#include <windows.h>

class PlaylistEntry;

// The Playlist dialog's list as a picture of the live playlist: one name for each entry, in the
// playlist's order, the current entry selected whenever it becomes current. Whatever changes the
// playlist (a tray command, a hand-over, the end of an entry, the dialog itself) is shown once the
// message that changed it has been handled, or at once where the change tells it.

// Fills the list with the live playlist, the current entry selected, and keeps it so until the
// list goes (StopShowingPlaylist).
void ShowPlaylistIn(HWND list);
void StopShowingPlaylist();

// Brings the list up to date: a playlist replaced, or edited otherwise than by appending, is shown
// afresh with the current entry selected; appended entries join the end, leaving the user's
// selection where it is; a new current entry is selected. Returns false when the list had to be
// filled afresh: what the user saw and chose in it a moment ago no longer holds.
bool ShowPlaylistChanges();

// The dialog's own edits, made to the playlist just before: the list follows them, the removed
// entry's place (or the one before it, at the end) and the moved entry selected.
void ShowEntryRemoved(int index);
void ShowEntryMoved(int from, int to);

// Appends the names of the entries from `first` (an entry of the live playlist, or none) to the
// last to the list box, as the list shows them.
void AddEntryNames(HWND listBox, const PlaylistEntry* first);
// Widens the list box's horizontal scroll range to the widest name of the entries from `first` on,
// measured in the list box's own font, plus 6. On an emptied list whose range was set to 0, from the
// first entry on, it is the widest name of the list.
void UpdateHorizontalExtent(HWND listBox, const PlaylistEntry* first);
