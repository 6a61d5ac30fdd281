#include "app/OpenedPaths.h"

#include <deque>

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "dialogs/FailureMessage.h"
#include "dialogs/FileChoosers.h"
#include "playback/DisplayName.h"
#include "playback/FolderSearch.h"

namespace {

std::deque<std::vector<std::string>> waiting;  // paths handed over and not yet opened

bool IsPlaylistFile(const std::string& path) {
    constexpr size_t kExtensionLength = 4;
    return path.size() > kExtensionLength && lstrcmpiA(path.c_str() + path.size() - kExtensionLength, ".ppl") == 0;
}

}  // namespace

OpenedPlaylist PlaylistFromPaths(const std::vector<std::string>& paths) {
    OpenedPlaylist opened{std::make_unique<Playlist>(), {}, ERROR_SUCCESS};
    for (const std::string& path : paths) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A last byte 0x5C may be the second byte of a double-byte character, not a backslash.
            const bool endsWithBackslash = FileNameOffset(path, GetACP()) == path.size();
            AddFolder(*opened.playlist, endsWithBackslash ? path : path + "\\");
        } else if (IsPlaylistFile(path)) {
            if (!opened.playlist->Load(path)) {
                opened.unreadable = path;  // the whole opening fails, as Load from the menu does
                opened.error = GetLastError();
                return opened;
            }
        } else {
            opened.playlist->Add(path);
        }
    }
    return opened;
}

void OpenPaths(HWND window, const std::vector<std::string>& paths) {
    OpenedPlaylist opened = PlaylistFromPaths(paths);
    if (!opened.unreadable.empty()) {
        ShowFileFailure(window, "The playlist was not loaded.", opened.unreadable, opened.error);
        return;
    }
    if (opened.playlist->GetCount() == 0) {
        return;
    }
    ReplacePlaylist(std::move(opened.playlist));
    PlayCurrentAndShow(window);
}

LRESULT OnCopyData(HWND window, WPARAM, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kOpenPathsData || (data->cbData > 0 && !data->lpData)) {
        return FALSE;
    }
    waiting.push_back(UnpackPaths(std::string_view(static_cast<const char*>(data->lpData), data->cbData)));
    PostMessageA(window, WM_OPENPATHS, 0, 0);
    return TRUE;
}

LRESULT OnOpenPaths(HWND window) {
    while (!waiting.empty()) {
        const std::vector<std::string> paths = std::move(waiting.front());
        waiting.pop_front();
        OpenPaths(window, paths);
    }
    return 0;
}
