#include "dialogs/PlaylistView.h"

#include <string>

#include "app/AppState.h"
#include "common/ScopedHandles.h"
#include "playback/DisplayName.h"

namespace {

// What the list shows: the playlist (by its generation) as it stood after its last change shown.
struct Shown {
    HWND list = nullptr;
    unsigned playlist = 0;
    unsigned edits = 0;
    int count = 0;
    const PlaylistEntry* last = nullptr;     // the last entry listed
    const PlaylistEntry* current = nullptr;  // the entry that was current then
};

Shown shown;

// Appending adds one entry and one edit each; taking out or moving counts an edit and adds none.
bool OnlyAppendedSince() {
    return shown.playlist == LivePlaylistGeneration() && g_playlist->GetCount() >= shown.count &&
           g_playlist->Edits() - shown.edits == static_cast<unsigned>(g_playlist->GetCount() - shown.count);
}

void Note() {
    shown.playlist = LivePlaylistGeneration();
    shown.edits = g_playlist->Edits();
    shown.count = g_playlist->GetCount();
    shown.last = g_playlist->Tail();
    shown.current = g_playlist->CurrentEntry();
}

// The list's drawing is held off while names go in, and it is shown once at the end.
void Append(const PlaylistEntry* first) {
    SendMessageA(shown.list, WM_SETREDRAW, FALSE, 0);
    AddEntryNames(shown.list, first);
    UpdateHorizontalExtent(shown.list, first);
    SendMessageA(shown.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(shown.list, nullptr, TRUE);
}

void Refill() {
    SendMessageA(shown.list, LB_RESETCONTENT, 0, 0);
    SendMessageA(shown.list, LB_SETHORIZONTALEXTENT, 0, 0);
    if (g_playlist->GetCount() > 0) {
        // Room for every item at once, instead of a list that grows item by item.
        SendMessageA(shown.list, LB_INITSTORAGE, static_cast<WPARAM>(g_playlist->GetCount()),
                     static_cast<LPARAM>(g_playlist->GetCount()) * 32);
    }
    Append(g_playlist->Head());
}

void SelectCurrent() { SendMessageA(shown.list, LB_SETCURSEL, static_cast<WPARAM>(g_playlist->Current() - 1), 0); }

std::string NameOf(const PlaylistEntry* entry) {
    std::string shortened;
    return std::string(ListedName(entry->path(), GetACP(), shortened));
}

}  // namespace

void ShowPlaylistIn(HWND list) {
    shown = Shown{list};
    Refill();
    SelectCurrent();
    Note();
}

void StopShowingPlaylist() { shown = Shown{}; }

bool ShowPlaylistChanges() {
    if (!shown.list || !g_playlist) {
        return true;
    }
    const bool kept = OnlyAppendedSince();
    if (!kept) {
        Refill();
    } else if (g_playlist->GetCount() > shown.count) {
        Append(shown.last ? shown.last->next : g_playlist->Head());
    }
    if (!kept || g_playlist->CurrentEntry() != shown.current) {
        SelectCurrent();
    }
    Note();
    return kept;
}

void ShowEntryRemoved(int index) {
    SendMessageA(shown.list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const int count = g_playlist->GetCount();
    if (count > 0) {
        SendMessageA(shown.list, LB_SETCURSEL, static_cast<WPARAM>(index < count ? index : count - 1), 0);
    }
    Note();
}

void ShowEntryMoved(int from, int to) {
    const std::string name = NameOf(g_playlist->EntryAt(to + 1));
    SendMessageA(shown.list, LB_DELETESTRING, static_cast<WPARAM>(from), 0);
    SendMessageA(shown.list, LB_INSERTSTRING, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(shown.list, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
    Note();
}

void AddEntryNames(HWND listBox, const PlaylistEntry* first) {
    const UINT codePage = GetACP();
    std::string shortened;
    for (const PlaylistEntry* entry = first; entry; entry = entry->next) {
        // A whole name is the end of the path, so the path's terminator ends it too.
        const std::string_view name = ListedName(entry->path(), codePage, shortened);
        const char* text = name.data() == shortened.data() ? shortened.c_str() : name.data();
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

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
