// The Playlist dialog opened on a long playlist, against filling and measuring the same list box
// with the same texts directly.

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/AppState.h"
#include "bench/Benchmarks.h"
#include "dialogs/PlaylistDialog.h"
#include "resources/resource.h"

namespace {

constexpr int kSizes[] = {10000, 100000};
constexpr int kTextExtentMargin = 6;

// The floor's dialog: the same template, whose list box gets the same texts by LB_ADDSTRING and
// has each of them measured in its own font.
INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    const auto& names = *reinterpret_cast<const std::vector<std::string>*>(lParam);
    HWND list = GetDlgItem(dialog, IDC_PLAYLIST);
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
    return TRUE;
}

// Opens the dialog hidden (its template is not visible by itself) and returns the seconds its
// creation took, its WM_INITDIALOG included; the dialog is destroyed after the timing.
double TimeDialog(DLGPROC procedure, LPARAM parameter, int expectedItems) {
    Stopwatch watch;
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAYLIST), nullptr, procedure,
                                     parameter);
    const double seconds = watch.Seconds();
    if (!dialog) {
        std::fprintf(stderr, "bench: the Playlist dialog could not be made\n");
        return seconds;
    }
    if (SendDlgItemMessageA(dialog, IDC_PLAYLIST, LB_GETCOUNT, 0, 0) != expectedItems) {
        std::fprintf(stderr, "bench: the list shows a different number of items\n");
    }
    DestroyWindow(dialog);
    return seconds;
}

}  // namespace

std::vector<Row> BenchPlaylistDialog() {
    std::vector<Row> rows;
    for (const int size : kSizes) {
        const std::vector<std::string> paths = MediaPaths(size);
        std::vector<std::string> names;
        g_playlist = std::make_unique<Playlist>();
        for (const std::string& path : paths) {
            g_playlist->Add(path);
            names.push_back(FileNameOf(path));
        }
        const TimedRun floor = [&] {
            return TimeDialog(FloorDialogProc, reinterpret_cast<LPARAM>(&names), size);
        };
        const TimedRun subject = [&] { return TimeDialog(PlaylistDialogProc, 0, size); };
        Row row{"Playlist dialog opened", size, MeasurePair(size >= 100000 ? 5 : 7, floor, subject),
                "LB_ADDSTRING, GetTextExtentPoint32A", 1.2};
        row.perEntry = true;
        rows.push_back(row);
    }
    g_playlist.reset();
    return rows;
}
