#pragma once

#include <windows.h>

// The session kept across runs, logoffs and crashes: the playlist and its current entry, in the
// user's application data folder (%APPDATA%\Pipit\session.txt). It is written a moment after it
// changes (never on every step of a search or a drop), at Exit and when Windows ends the session.

// Starts keeping the session for the window; with `restore`, first brings back the one kept last,
// without playing it. A kept session that is missing, cannot be read, or comes from a newer
// version starts the player empty, and is not written over until the playlist changes.
void StartSession(HWND window, bool restore);
// Once a message has been handled: a change arms the timer that writes the session.
void NoteSessionChanges();
// Writes the session now when it has changed since it was last written (kSessionTimer, Exit).
void WriteSessionNow();
// The window's end: nothing more is kept.
void ForgetSession();
