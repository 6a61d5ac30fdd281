#include "dialogs/PlaylistDialog.h"

#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "common/ScopedHandles.h"
#include "dialogs/PlaylistEditing.h"
#include "dialogs/PlaylistView.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"

namespace {

HWND openDialog = nullptr;

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_PLAYLIST); }

// The list has the keyboard from the start, its current entry chosen: Enter plays it, the arrows
// choose another, Delete and Alt + the arrows edit.
void OnInitDialog(HWND dialog) {
    openDialog = dialog;
    ShowPlaylistIn(ListOf(dialog));
    EnableEditingKeys(ListOf(dialog));
    SetFocus(ListOf(dialog));
}

void OnDestroy() {
    StopShowingPlaylist();
    openDialog = nullptr;
}

// The emptied playlist is shown as any replacement is.
void OnClear() { ClearPlaylist(); }

// A double-click, or Enter: the chosen row plays. A choice made in a list that no longer showed the
// playlist (it was replaced or edited behind the dialog a moment before) is not taken: it may name
// another entry than the one the user saw.
void OnDoubleClick(HWND dialog) {
    if (!ShowPlaylistChanges()) {
        return;
    }
    const int index = static_cast<int>(SendMessageA(ListOf(dialog), LB_GETCURSEL, 0, 0));
    if (index < 0 || index >= g_playlist->GetCount()) {
        return;  // no row chosen
    }
    StopPlayback();
    g_playlist->SetCurrent(index + 1);
    PlayCurrentAndShow(GetParent(dialog));
}

std::vector<std::string> DroppedPaths(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        paths[i].assign(length, '\0');
        DragQueryFileA(drop, i, paths[i].data(), length + 1);
        paths[i].resize(std::strlen(paths[i].c_str()));
    }
    return paths;
}

// Dropped files, playlists and folders (with all their sub-folders) are looked at on the search's
// own thread, after any drop still being searched, so that the entries come in the order of the
// drops and a slow share holds nothing up. They are appended; only the new entries join the list.
void OnDropFiles(HWND dialog, HDROP drop) {
    auto search = std::make_unique<PathSearch>();
    {
        const ScopedDrop dropped(drop);
        search->paths = DroppedPaths(drop);
    }
    search->from = PathsFrom::Drop;
    search->forPlaylist = LivePlaylistGeneration();
    StartPathSearch(GetParent(dialog), std::move(search));
}

// The cursor says that dropped folders are still being searched; the dialog answers meanwhile.
bool SetSearchCursor(HWND dialog) {
    if (!PathSearchesUnderWay()) {
        return false;
    }
    SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return true;
}

}  // namespace

void ShowPlaylistDialog(HWND owner) {
    if (openDialog) {
        SetForegroundWindow(openDialog);
        return;
    }
    const ModalLoopScope waiting;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_PLAYLIST), owner, PlaylistDialogProc, 0);
}

INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    const HandlerScope scope;
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(dialog); return FALSE;  // the focus is set
        case WM_DESTROY: OnDestroy(); return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
                case IDOK: OnDoubleClick(dialog); return TRUE;  // Enter
                case IDC_CLEAR: OnClear(); return TRUE;
                case IDC_PLAYLIST:
                    if (HIWORD(wParam) == LBN_DBLCLK) {
                        OnDoubleClick(dialog);
                    }
                    return TRUE;
                default: return FALSE;
            }
        case WM_DROPFILES: OnDropFiles(dialog, reinterpret_cast<HDROP>(wParam)); return FALSE;
        case WM_SETCURSOR: return SetSearchCursor(dialog) ? TRUE : FALSE;
        default: return FALSE;
    }
}
