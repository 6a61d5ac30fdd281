#pragma once

#include <windows.h>

class PlaylistEntry;

// The devices kept open beside the one that plays. The next entry's is opened ahead, while the
// current one plays, so that when the current one ends the next one's play is a single command. The
// ended entry's is closed a moment after the next one has started: closing it at once would cut
// off the last of its sound, which the output still holds when the end notice comes.

// Whether the current entry's device was opened ahead for it. Its play is then one command; the
// device is no longer counted as opened ahead.
bool TakeOpenedAhead();
// Keeps the ended entry's device (parted from its entry) open for a moment more.
void SetEndedDeviceAside(HWND window, UINT deviceId);
// Closes the ended entry's device now (its moment is up, or playback stops).
void CloseEndedDevice();
// Closes what was opened ahead.
void CloseOpenedAhead();
// Once a message has been handled: a device opened ahead that the playlist no longer leads to
// (it was stopped, replaced, edited, or the position moved) is closed, and one is opened, by a
// posted WM_OPEN_AHEAD, for the entry that plays next when the current one plays.
void SyncOpenedAhead(HWND window, bool playing);
// WM_OPEN_AHEAD.
void OpenNextAhead(bool playing);
// The entry that plays next, when its device is opened ahead and the playlist still leads to it.
const PlaylistEntry* EntryOpenedAhead();
// Forgets them when the window goes, with its timer and queue; the playlist has closed nothing.
void ForgetNeighbourDevices();
