#include "dialogs/PlaylistEditing.h"

#include <string>

#include "app/AppState.h"
#include "playback/DisplayName.h"

namespace {

// The list box class's own procedure, the same for every list box. Kept here rather than in a window
// property: a property is asked of the window server under Wine, and the list passes every message
// through here, 20,000 of them for a folder of 20,000 files dropped on the dialog.
WNDPROC originalProcedure = nullptr;

int Selected(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

const PlaylistEntry* EntryAt(int index) {
    const PlaylistEntry* entry = g_playlist->Head();
    for (; entry && index > 0; --index) {
        entry = entry->next;
    }
    return entry;
}

// The entry that plays stops; the one after it becomes current, and nothing plays.
void DeleteSelected(HWND list) {
    const int index = Selected(list);
    if (index < 0 || index >= g_playlist->GetCount()) {
        return;
    }
    if (index + 1 == g_playlist->Current()) {
        StopPlayback();
    }
    g_playlist->Remove(index + 1);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const int count = g_playlist->GetCount();
    if (count > 0) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index < count ? index : count - 1), 0);
    }
}

void MoveSelected(HWND list, int places) {
    const int index = Selected(list);
    if (index < 0 || !g_playlist->Move(index + 1, places)) {
        return;
    }
    const int to = index + places;
    std::string shortened;
    const std::string name(ListedName(EntryAt(to)->path(), GetACP(), shortened));
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
}

LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = originalProcedure;
    if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        const HandlerScope scope;
        DeleteSelected(list);
        return 0;
    }
    // Alt with a key comes as a system key.
    if (message == WM_SYSKEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        const HandlerScope scope;
        MoveSelected(list, wParam == VK_UP ? -1 : 1);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    return CallWindowProcA(original, list, message, wParam, lParam);
}

}  // namespace

void EnableEditingKeys(HWND list) {
    originalProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProcedure)));
}
