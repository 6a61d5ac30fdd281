#include "dialogs/PlaylistDialog.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/AppState.h"
#include "dialogs/FileChoosers.h"
#include "dialogs/FolderSearch.h"
#include "playback/ScopedHandles.h"
#include "resources/resource.h"

namespace {

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_PLAYLIST); }

void Refill(HWND list) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    g_playlist->FillListBox(list);
    UpdateHorizontalExtent(list);
}

void OnInitDialog(HWND dialog) {
    HWND list = ListOf(dialog);
    g_playlist->FillListBox(list);
    UpdateHorizontalExtent(list);
}

void OnClear(HWND dialog) {
    ClearPlaylist();
    HWND list = ListOf(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    UpdateHorizontalExtent(list);
}

// The list is a picture of the playlist as this dialog last filled it. A tray action may have
// replaced the playlist since; then the picture is renewed and nothing is played, so that no
// position beyond the new playlist is ever chosen.
void OnDoubleClick(HWND dialog) {
    HWND list = ListOf(dialog);
    const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    const int shown = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (shown != g_playlist->GetCount() || index >= g_playlist->GetCount()) {
        Refill(list);
        return;
    }
    StopPlayback();
    g_playlist->SetCurrent(index + 1);
    PlayCurrentAndShow(GetParent(dialog));
}

// Dropped files are appended; dropped folders are searched with all their sub-folders.
void OnDropFiles(HWND dialog, HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::string path;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        path.assign(length, '\0');
        DragQueryFileA(drop, i, path.data(), length + 1);
        path.resize(std::strlen(path.c_str()));
        // A name that cannot be read gives all bits set, and with them the folder branch, whose
        // search then finds nothing.
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            AddFolder(path + "\\");
        } else {
            g_playlist->Add(path);
        }
    }
    DragFinish(drop);
    Refill(ListOf(dialog));
}

}  // namespace

void UpdateHorizontalExtent(HWND listBox) {
    ScopedWindowDC dc(listBox);
    ScopedSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0)));
    int widest = 0;
    std::string text;
    const int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, i, 0);
        if (length == LB_ERR) {
            continue;
        }
        text.resize(static_cast<size_t>(length) + 1);
        const LRESULT got = SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        SIZE extent{};
        GetTextExtentPoint32A(dc.Get(), text.data(), got == LB_ERR ? 0 : static_cast<int>(got), &extent);
        if (extent.cx + 6 > widest) {
            widest = extent.cx + 6;
        }
    }
    SendMessageA(listBox, LB_SETHORIZONTALEXTENT, widest, 0);
}

INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
                case IDC_CLEAR: OnClear(dialog); return TRUE;
                case IDC_PLAYLIST:
                    if (HIWORD(wParam) == LBN_DBLCLK) {
                        OnDoubleClick(dialog);
                    }
                    return TRUE;
                default: return FALSE;
            }
        case WM_DROPFILES:
            OnDropFiles(dialog, reinterpret_cast<HDROP>(wParam));
            return FALSE;
        default: return FALSE;
    }
}
