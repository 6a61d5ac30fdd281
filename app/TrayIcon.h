#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/PrivateIds.h"

// Adds the icon with the tip "Pipit". Always returns 1, even where the tray is not there yet (the
// taskbar's re-creation adds it then): the signature it has always had, kept for code written
// against it; there is nothing to test.
int AddTrayIcon(HWND window);
// Removes the icon; returns the platform's result.
BOOL RemoveTrayIcon(HWND window);
// Whether the icon was added and not removed since.
bool TrayIconAdded();
// Shows the text (a path, or empty) as the icon's tip, after the prefix, which is always shown whole.
void ShowTrayTip(HWND window, const std::string& text, std::string_view prefix = {});
// Shows a message in the tip for a moment (kTipMessageTimer), then what it showed before.
void ShowTrayMessage(HWND window, const std::string& message);
// kTipMessageTimer: the message's moment is over.
void EndTrayMessage(HWND window);
// The same, on the icon added last, where the tip does not show it already.
void ShowTrayTipWhereChanged(const std::string& text, std::string_view prefix = {});
// Whether the tip shows a prefix before its text.
bool TrayTipShowsPrefix();
// Puts the icon back after the taskbar was re-created, with the tip it last showed.
void RestoreTrayIcon(HWND window);
// The tip for a text: whole when it fits the room (the 64-byte field less its terminator), else
// "..." and its end, cut between characters of the code page.
std::string TrayTipText(std::string_view text, UINT codePage, size_t room = 63);
