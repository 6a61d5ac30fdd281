#include "dialogs/PlaylistEditing.h"

#include "app/AppState.h"
#include "dialogs/PlaylistView.h"

namespace {

// The list box class's own procedure, the same for every list box. Kept here rather than in a window
// property: a property is asked of the window server under Wine, and the list passes every message
// through here, 20,000 of them for a folder of 20,000 files dropped on the dialog.
WNDPROC originalProcedure = nullptr;

int Selected(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

// The entry that plays stops; the one after it becomes current, and nothing plays. A key pressed
// on a list that no longer showed the playlist a moment ago does nothing (see OnDoubleClick).
void DeleteSelected(HWND list) {
    if (!ShowPlaylistChanges()) {
        return;
    }
    const int index = Selected(list);
    if (index < 0 || index >= g_playlist->GetCount()) {
        return;
    }
    RemoveEntry(index + 1);
    ShowEntryRemoved(index);
}

void MoveSelected(HWND list, int places) {
    if (!ShowPlaylistChanges()) {
        return;
    }
    const int index = Selected(list);
    if (index < 0 || !MoveEntry(index + 1, places)) {
        return;
    }
    ShowEntryMoved(index, index + places);
}

LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = originalProcedure;
    if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        const HandlerScope scope;
        DeleteSelected(list);
        return 0;
    }
    // Alt with a key comes as a system key. The default procedure must still see it: a key between
    // Alt's press and its release is what tells it that Alt was not pressed alone, which would open
    // the system menu and take the next key.
    if (message == WM_SYSKEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        {
            const HandlerScope scope;
            MoveSelected(list, wParam == VK_UP ? -1 : 1);
        }
        return DefWindowProcA(list, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return CallWindowProcA(original, list, message, wParam, lParam);
}

}  // namespace

void EnableEditingKeys(HWND list) {
    originalProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProcedure)));
}
