#pragma once

#include <windows.h>

class PlaylistEntry;

// The session kept across runs, logoffs and crashes: the playlist, its current entry and the
// position in it, in the user's application data folder (%APPDATA%\Pipit\session.txt). It is
// written a moment after it changes (never on every step of a search or a drop), at Exit and when
// Windows ends the session.

// Starts keeping the session for the window; with `restore`, first brings back the one kept last,
// without playing it. A kept session that is missing, cannot be read, or comes from a newer
// version starts the player empty, and is not written over until the playlist changes.
void StartSession(HWND window, bool restore);
// Once a message has been handled: a change arms the timer that writes the session.
void NoteSessionChanges();
// Writes the session now when it has changed since it was last written (Exit, the end of the
// Windows session); false when the write failed. A file that another program holds is not waited
// for.
bool WriteSessionNow();
// kSessionTimer: writes the session, and where that fails, tries again later.
void OnSessionTimer();
// Keeps the position in an entry, written with the session while that entry is current.
void KeepPosition(const PlaylistEntry* entry, DWORD ms);
// How many writes failed since the last that worked.
int SessionWritesFailedInARow();
// How long after a change the session is written: a moment, and once the last write took long (a
// long playlist), long enough that writing takes a small share of the time; after failed writes, a
// pause that doubles with each.
UINT SessionWriteDelay(DWORD sinceLastWriteMs, DWORD lastWriteTookMs, int failuresInARow);
// The window's end: nothing more is kept.
void ForgetSession();
