#include "dialogs/PlaylistDialog.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/AppState.h"
#include "common/PrivateIds.h"
#include "dialogs/FileChoosers.h"
#include "playback/DisplayName.h"
#include "dialogs/FailureMessage.h"
#include "dialogs/PlaylistEditing.h"
#include "playback/PathSearch.h"
#include "common/ScopedHandles.h"
#include "resources/resource.h"

namespace {

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_PLAYLIST); }

// Adds the names of the entries from `first` on to the list and widens its scroll range to them,
// with the list's drawing held off until it is shown once at the end.
void AppendToList(HWND list, const PlaylistEntry* first) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    g_playlist->FillListBox(list, first);
    UpdateHorizontalExtent(list, first);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Refill(HWND list) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 0, 0);
    AppendToList(list, g_playlist->Head());
}

// The list pictures the live playlist: whatever replaces the playlist or appends to it behind the
// dialog (a tray action, a hand-over from another copy) tells the dialog at once.
void OnInitDialog(HWND dialog) {
    AppendToList(ListOf(dialog), g_playlist->Head());
    EnableEditingKeys(ListOf(dialog));
    SetPlaylistView(dialog);
}

void OnPlaylistChanged(HWND dialog, bool replaced, const PlaylistEntry* firstAppended) {
    if (replaced) {
        Refill(ListOf(dialog));
    } else {
        AppendToList(ListOf(dialog), firstAppended);
    }
}

// The emptied playlist is shown as any replacement is.
void OnClear() { ClearPlaylist(); }

void OnDoubleClick(HWND dialog) {
    const int index = static_cast<int>(SendMessageA(ListOf(dialog), LB_GETCURSEL, 0, 0));
    if (index >= g_playlist->GetCount()) {
        return;  // no position beyond the playlist is ever chosen
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

// A name that cannot be read gives all bits set, and is searched as a folder would be.
bool HoldsFolder(const std::vector<std::string>& paths) {
    return std::any_of(paths.begin(), paths.end(), [](const std::string& path) {
        return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
}

// Dropped files are appended; dropped folders are searched with all their sub-folders, on the
// search's own thread, after any drop still being searched, so that the entries come in the order
// of the drops. Files alone are added at once. Only the new entries join the list.
void OnDropFiles(HWND dialog, HDROP drop) {
    std::vector<std::string> paths;
    {
        const ScopedDrop dropped(drop);
        paths = DroppedPaths(drop);
    }
    if (PathSearchesUnderWay() || HoldsFolder(paths)) {
        auto search = std::make_unique<PathSearch>();
        search->paths = std::move(paths);
        search->from = PathsFrom::Drop;
        search->forPlaylist = LivePlaylistGeneration();
        StartPathSearch(GetParent(dialog), std::move(search));
        return;
    }
    const FoundEntries found = FindEntries(paths, PathsFrom::Drop);
    if (!found.unreadable.empty()) {
        ShowFileFailure(dialog, "The playlist was not loaded.", found.unreadable, found.error);
        return;
    }
    AppendToLivePlaylist(*found.playlist);
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

// The names are measured as the playlist holds them: reading long items back from the list box
// overflows a fixed buffer in Wine's conversion of LB_GETTEXT to a Unicode list box.
void UpdateHorizontalExtent(HWND listBox, const PlaylistEntry* first) {
    ScopedWindowDC dc(listBox);
    ScopedSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0)));
    const UINT codePage = GetACP();
    std::string shortened;
    int widest = static_cast<int>(SendMessageA(listBox, LB_GETHORIZONTALEXTENT, 0, 0));
    for (const PlaylistEntry* entry = first; entry; entry = entry->next) {
        const std::string_view name = ListedName(entry->path(), codePage, shortened);
        SIZE extent{};
        GetTextExtentPoint32A(dc.Get(), name.data(), static_cast<int>(name.size()), &extent);
        if (extent.cx + 6 > widest) {
            widest = extent.cx + 6;
        }
    }
    SendMessageA(listBox, LB_SETHORIZONTALEXTENT, widest, 0);
}

INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
        case WM_DESTROY: SetPlaylistView(nullptr); return FALSE;
        case WM_PLAYLIST_CHANGED:
            OnPlaylistChanged(dialog, wParam != 0, reinterpret_cast<const PlaylistEntry*>(lParam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
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
