#pragma once

#include <windows.h>

#include "common/PrivateIds.h"

// The system-wide hotkeys (their ids are in common/PrivateIds.h). Alt with a key of the numeric
// keypad belongs to the player from start to Exit. The media keys of keyboards and headsets, which
// every player and browser wants, belong to it only while it plays: held that way no other program
// gets them. A key that another program holds is simply not available.

// Registers the Alt + keypad hotkeys on the window.
void RegisterPlayerHotkeys(HWND window);
// Takes the media keys, or gives them back; nothing changes when they are already so.
void HoldMediaKeys(bool hold);
// Gives every hotkey back.
void UnregisterPlayerHotkeys(HWND window);
