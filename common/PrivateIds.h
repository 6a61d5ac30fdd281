#pragma once

// Every private id of the player in one block: the messages it posts and sends to its own windows,
// its timers, its hotkeys and the tag of what one copy hands to another. Resource ids (menus,
// dialogs, strings) are in resources/resource.h.
//
// It sits in common/ rather than app/ because playback/ posts one of them too (the folder search
// posts WM_PATHS_FOUND to the window that asked), and playback/ may not include app/.

#include <windows.h>

// Messages. WM_APP and above are the program's own: the system and the common controls use no id
// there, and no other program's window receives them.

// The tray icon's callback message; the tray sends the mouse message in lParam. Its value is the
// one the player has always registered with the tray.
constexpr UINT WM_TRAYNOTIFY = WM_APP + 0x1C2;
// Posted once a playback stop is done. A notice that MCI posted for the stopped play comes before
// it in the queue, so a notice that arrives while one of these is still on its way is stale.
constexpr UINT WM_PLAYBACK_STOPPED = WM_APP + 1;
// Posted by the thread that searches dropped and handed-over paths when a search is done.
constexpr UINT WM_PATHS_FOUND = WM_APP + 3;
// Posted when the device of the entry that plays next may be opened ahead; posted rather than done
// at once, so that the command that started the play, and whoever waits for it, is not held up.
constexpr UINT WM_OPEN_AHEAD = WM_APP + 4;

// The tray icon's id among the main window's icons; one icon, the number it always had.
constexpr UINT kTrayIconId = 102;

// Timers of the main window.
// Drives a search for a playable entry, a turn at a time.
constexpr UINT_PTR kPlayableSearchTimer = 1;
// Closes an ended entry's device a moment after the next entry started.
constexpr UINT_PTR kEndedDeviceTimer = 2;
// Writes the kept session a moment after it changed.
constexpr UINT_PTR kSessionTimer = 3;
// Starts the next entry so that it is heard as the one that plays ends (a one-shot, set from the
// entry's length once the next entry's device is ready).
constexpr UINT_PTR kNextPlayTimer = 4;
// Ends a moment's message in the tray tip (the volume just set), showing again what it showed.
constexpr UINT_PTR kTipMessageTimer = 5;
// Keeps the position in the entry that plays, every while, in the kept session.
constexpr UINT_PTR kPositionTimer = 6;

// Hotkeys: the id is the WM_HOTKEY wParam. Ids 0 to 3 are the Alt + keypad keys, in the order the
// player has always numbered them; the media keys follow.
enum HotkeyId : int {
    kHotkeyPlay = 0,
    kHotkeyStop = 1,
    kHotkeyNext = 2,
    kHotkeyPrevious = 3,
    kHotkeyPlayPause = 4,
    kHotkeyMediaStop = 5,
    kHotkeyMediaNext = 6,
    kHotkeyMediaPrevious = 7,
    kHotkeyVolumeUp = 8,
    kHotkeyVolumeDown = 9,
};

// The tag of a WM_COPYDATA that hands paths from one copy of the player to the running one: the
// letters "TPPP", which no other program's data is likely to carry by chance.
constexpr ULONG_PTR kOpenPathsData = 0x50505054;
