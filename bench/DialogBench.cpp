// The Playlist dialog as the user meets it, shown and painted: opened on a long playlist, and taking
// drops. Each is measured against the same list box filled with the same names directly.

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/AppState.h"
#include "app/StartUp.h"
#include "bench/Benchmarks.h"
#include "bench/Programs.h"
#include "dialogs/PlaylistDialog.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"

namespace {

constexpr int kOpenSizes[] = {10000, 100000, 1000000};
constexpr int kDropOntoSizes[] = {1000, 10000, 100000};
constexpr int kTreeFolders = 200;
constexpr int kTreeFilesPerFolder = 100;
constexpr int kTextExtentMargin = 6;

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_PLAYLIST); }

// Adds the names to the list box and measures each in its own font, with the list's drawing held
// off meanwhile: the least the platform does to show them.
void FillAndMeasure(HWND list, const std::vector<std::string>& names) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size()) * 32);
    for (const std::string& name : names) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& name : names) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx) + kTextExtentMargin);
    }
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The floor's dialog: the same template, which fills its list with the names it is given.
INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG && lParam) {
        FillAndMeasure(ListOf(dialog), *reinterpret_cast<const std::vector<std::string>*>(lParam));
        return TRUE;
    }
    return FALSE;
}

HWND MakeDialog(DLGPROC procedure, LPARAM parameter, HWND owner = nullptr) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAYLIST), owner, procedure, parameter);
}

void ShowNow(HWND dialog) {
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    UpdateWindow(dialog);
}

int ItemsOf(HWND dialog) { return static_cast<int>(SendMessageA(ListOf(dialog), LB_GETCOUNT, 0, 0)); }

void ExpectItems(HWND dialog, int expected) {
    const int shown = ItemsOf(dialog);
    if (shown != expected) std::fprintf(stderr, "bench: the list shows %d items, not %d\n", shown, expected);
}

// From the command to a painted dialog: made, filled, shown.
double TimeOpening(DLGPROC procedure, LPARAM parameter, int expectedItems) {
    Stopwatch watch;
    HWND dialog = MakeDialog(procedure, parameter);
    ShowNow(dialog);
    const double seconds = watch.Seconds();
    ExpectItems(dialog, expectedItems);
    DestroyWindow(dialog);
    return seconds;
}

std::vector<std::string> NamesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    names.reserve(paths.size());
    for (const std::string& path : paths) names.push_back(FileNameOf(path));
    return names;
}

void FillPlaylist(const std::vector<std::string>& paths) {
    g_playlist = std::make_unique<Playlist>();
    for (const std::string& path : paths) g_playlist->Add(path);
}

std::vector<Row> BenchOpening() {
    std::vector<Row> rows;
    for (const int size : kOpenSizes) {
        const std::vector<std::string> paths = MediaPaths(size);
        const std::vector<std::string> names = NamesOf(paths);
        FillPlaylist(paths);
        const TimedRun floor = [&] { return TimeOpening(FloorDialogProc, reinterpret_cast<LPARAM>(&names), size); };
        const TimedRun subject = [&] { return TimeOpening(PlaylistDialogProc, 0, size); };
        Row row{"Playlist dialog opened and shown", size, MeasurePair(size >= 1000000 ? 3 : 5, floor, subject),
                "LB_ADDSTRING, GetTextExtentPoint32A", 1.2};
        row.perEntry = true;
        rows.push_back(row);
    }
    g_playlist.reset();
    return rows;
}

bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

// Every file of the tree, depth first, by FindFirstFileA and FindNextFileA.
void Walk(const std::string& folder, std::vector<std::string>& names) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (IsDotEntry(found.cFileName)) {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Walk(folder + found.cFileName + "\\", names);
        } else {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// From the drop to the painted list that shows what it added. A dropped folder is searched on the
// search's own thread, and its entries come to the dialog through the player's window meanwhile.
double TimeDrop(HWND dialog, const std::vector<std::string>& dropped, int expectedItems) {
    HGLOBAL drop = MakeDrop(dropped);
    Stopwatch watch;
    SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    while ((PathSearchesUnderWay() || ItemsOf(dialog) < expectedItems) && watch.Seconds() < 60) {
        Pump();
    }
    UpdateWindow(dialog);
    return watch.Seconds();
}

Row BenchTreeDrop(const TempFolder& scratch) {
    const std::string root = scratch / "dropped tree";
    const int made = MakeMediaTree(root, kTreeFolders, kTreeFilesPerFolder);
    const TimedRun floor = [&] {
        HWND dialog = MakeDialog(FloorDialogProc, 0);
        Stopwatch watch;
        std::vector<std::string> names;
        Walk(root + "\\", names);
        FillAndMeasure(ListOf(dialog), names);
        const double seconds = watch.Seconds();
        ExpectItems(dialog, made);
        DestroyWindow(dialog);
        return seconds;
    };
    HWND shell = StartUp(GetModuleHandleA(nullptr));
    const TimedRun subject = [&] {
        g_playlist = std::make_unique<Playlist>();
        HWND dialog = MakeDialog(PlaylistDialogProc, 0, shell);
        ShowNow(dialog);
        const double seconds = TimeDrop(dialog, {root}, made);
        ExpectItems(dialog, made);
        DestroyWindow(dialog);
        return seconds;
    };
    Row row{"Folder tree dropped on the shown dialog", made, MeasurePair(5, floor, subject),
            "the same walk, names added to a hidden list box and measured", 1.3};
    EndShell(shell);
    return row;
}

// One file more on a long list: the cost must not grow with the list. Dropped files are looked at
// on the search's own thread, which hands them to the player's window: the dialog has it as owner.
std::vector<Row> BenchDropOnto(const TempFolder& scratch) {
    const std::string file = scratch / "one more.mp3";
    WriteBytes(file, "");
    std::vector<Row> rows;
    HWND shell = StartUp(GetModuleHandleA(nullptr));
    for (const int size : kDropOntoSizes) {
        const std::vector<std::string> paths = MediaPaths(size);
        const std::vector<std::string> names = NamesOf(paths);
        FillPlaylist(paths);
        HWND subjectDialog = MakeDialog(PlaylistDialogProc, 0, shell);
        ShowNow(subjectDialog);
        HWND floorDialog = MakeDialog(FloorDialogProc, reinterpret_cast<LPARAM>(&names));
        ShowNow(floorDialog);
        const TimedRun floor = [&] {
            Stopwatch watch;
            SendMessageA(ListOf(floorDialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one more.mp3"));
            UpdateWindow(floorDialog);
            return watch.Seconds();
        };
        const TimedRun subject = [&] { return TimeDrop(subjectDialog, {file}, g_playlist->GetCount() + 1); };
        rows.push_back(Row{"One file dropped on the shown dialog", size, MeasurePair(9, floor, subject),
                           "LB_ADDSTRING of its name to the shown list", 1.3});
        DestroyWindow(subjectDialog);
        DestroyWindow(floorDialog);
    }
    EndShell(shell);
    g_playlist.reset();
    return rows;
}

}  // namespace

std::vector<Row> BenchPlaylistDialog(const TempFolder& scratch) {
    std::vector<Row> rows = BenchOpening();
    rows.push_back(BenchTreeDrop(scratch));
    const std::vector<Row> onto = BenchDropOnto(scratch);
    rows.insert(rows.end(), onto.begin(), onto.end());
    return rows;
}
