#pragma once

#include <windows.h>

// The keys that edit the playlist from the Playlist dialog's list: Delete takes the selected entry
// out, Alt + Up and Alt + Down move it one place. The list and the playlist change together.
void EnableEditingKeys(HWND list);
