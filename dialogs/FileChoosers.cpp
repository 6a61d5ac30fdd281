#include "dialogs/FileChoosers.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "common/Platform.h"
#include "common/SystemLibrary.h"
#include "dialogs/FailureMessage.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"

namespace {

constexpr int kBufferSize = 2600;
// Room for the names of many files chosen at once (all of an album's, with Ctrl+A): 64 K characters.
constexpr size_t kSelectionRoom = size_t{64} * 1024;

// The file dialogs refuse a record of the wrong size outright, showing nothing.
// OPENFILENAME_SIZE_VERSION_400A is the record up to and including lpTemplateName; MinGW spells it
// with pointer arithmetic, which is no constant expression, so its definition is checked instead.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName) ==
                  (kSixtyFourBit ? 136 : 76),
              "the first 32-bit file dialog record is 76 bytes in a 32-bit build, 136 in a 64-bit one");

// The common dialog library is loaded when the first file dialog opens, not at start-up. A dialog
// that cannot be shown is a dialog cancelled.
bool ShowFileDialog(LateBound<decltype(GetOpenFileNameA)>& dialog, OPENFILENAMEA* record) {
    const ModalLoopScope waiting;
    return dialog.Get() && dialog.Get()(record) != FALSE;
}

bool OpenFileDialog(OPENFILENAMEA* record) {
    static LateBound<decltype(GetOpenFileNameA)> open("comdlg32.dll", "GetOpenFileNameA");
    return ShowFileDialog(open, record);
}

bool SaveFileDialog(OPENFILENAMEA* record) {
    static LateBound<decltype(GetSaveFileNameA)> save("comdlg32.dll", "GetSaveFileNameA");
    return ShowFileDialog(save, record);
}

// Why the last file dialog failed; 0 for a cancel.
DWORD FileDialogError() {
    static LateBound<decltype(CommDlgExtendedError)> error("comdlg32.dll", "CommDlgExtendedError");
    return error.Get() ? error.Get()() : 0;
}

// The dialog record as the first 32-bit Windows knew it, without the fields added later.
OPENFILENAMEA FileDialogRecord(HWND window, const char* filter, char* file, DWORD flags) {
    OPENFILENAMEA record{};
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record.hwndOwner = window;
    record.lpstrFilter = filter;
    record.nFilterIndex = 1;
    record.lpstrFile = file;
    record.nMaxFile = kBufferSize;
    record.Flags = flags;
    return record;
}

// Asks for a playlist file to read or to write; the path is left in file. False on Cancel.
bool ChoosePlaylistFile(HWND window, char* file, bool forSaving) {
    char filter[kBufferSize];
    LoadFilterString(IDS_PLAYLIST_FILTER, filter, kBufferSize);
    if (forSaving) {
        OPENFILENAMEA record =
            FileDialogRecord(window, filter, file, OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        record.lpstrDefExt = "ppl";  // added to a typed name that has no extension
        return SaveFileDialog(&record);
    }
    OPENFILENAMEA record =
        FileDialogRecord(window, filter, file, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    return OpenFileDialog(&record);
}

}  // namespace

int LoadFilterString(UINT id, char* buffer, int bufferSize) {
    buffer[0] = '\0';
    LoadStringA(g_instance, id, buffer, bufferSize);
    const int length = static_cast<int>(std::strlen(buffer));
    if (length > 0) {
        // The last character is the separator; as NULs, the terminator adds the second one at the end.
        const char separator = buffer[length - 1];
        for (int i = 0; i < length; ++i) {
            if (buffer[i] == separator) {
                buffer[i] = '\0';
            }
        }
    }
    return 1;
}

void TakeChosenMediaFiles(HWND window, const char* files, WORD fileOffset) {
    auto chosen = std::make_unique<Playlist>();
    if (fileOffset < std::strlen(files)) {
        chosen->Add(files);  // one file: its full path
    } else {
        // Several: the folder, then each name after its own NUL, and an empty name at the end. The
        // backslash goes in also after a drive root's, as the playlist always had it.
        const std::string folder = files;
        for (const char* name = files + fileOffset; *name; name += std::strlen(name) + 1) {
            chosen->Add(folder + "\\" + name);
        }
    }
    ReplacePlaylist(std::move(chosen));
    PlayCurrentAndShow(window);
}

// Any selection the chooser allows is taken whole: where even the room given is too small for its
// names, the chooser says how much it needs, and is shown again with that room.
void SelectMediaFiles(HWND window) {
    char filter[kBufferSize];
    LoadFilterString(IDS_MEDIA_FILTER, filter, kBufferSize);
    std::vector<char> file(kSelectionRoom, '\0');
    for (;;) {
        OPENFILENAMEA record = FileDialogRecord(
            window, filter, file.data(),
            OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY);
        record.nMaxFile = static_cast<DWORD>(file.size());
        if (OpenFileDialog(&record)) {
            if (IsWindow(window)) {  // the player may have ended while the dialog was open
                TakeChosenMediaFiles(window, file.data(), record.nFileOffset);
            }
            return;
        }
        if (FileDialogError() != FNERR_BUFFERTOOSMALL || !IsWindow(window)) {
            return;  // cancelled
        }
        // The first two bytes hold the room asked for, which cannot say more than 64 K.
        WORD asked = 0;
        std::memcpy(&asked, file.data(), sizeof asked);
        file.assign(std::max<size_t>(asked + size_t{1}, file.size() * 2), '\0');
    }
}

void LoadPlaylistFile(HWND window, const std::string& file) {
    // Read first: a file that cannot be read leaves the playlist the user has, and what plays, alone.
    auto loaded = std::make_unique<Playlist>();
    if (!loaded->Load(file)) {
        ShowFileFailure(window, "The playlist was not loaded.", file, GetLastError());
        return;
    }
    ReplacePlaylist(std::move(loaded));
    PlayCurrentAndShow(window);
}

void SavePlaylistFile(HWND window, const std::string& file) {
    if (!g_playlist->Save(file)) {
        ShowFileFailure(window, "The playlist was not saved.", file, GetLastError());
    }
}

void LoadPlaylist(HWND window) {
    char file[kBufferSize] = "";
    if (ChoosePlaylistFile(window, file, false) && IsWindow(window)) {
        LoadPlaylistFile(window, file);
    }
}

void SavePlaylist(HWND window) {
    char file[kBufferSize] = "";
    if (ChoosePlaylistFile(window, file, true) && IsWindow(window)) {
        SavePlaylistFile(window, file);
    }
}
