#include "app/OpenedPaths.h"

#include <deque>

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "dialogs/FileChoosers.h"
#include "playback/FolderSearch.h"

namespace {

std::deque<std::vector<std::string>> waiting;  // paths handed over and not yet opened

bool IsPlaylistFile(const std::string& path) {
    constexpr size_t kExtensionLength = 4;
    return path.size() > kExtensionLength && lstrcmpiA(path.c_str() + path.size() - kExtensionLength, ".ppl") == 0;
}

}  // namespace

std::unique_ptr<Playlist> PlaylistFromPaths(const std::vector<std::string>& paths) {
    auto playlist = std::make_unique<Playlist>();
    for (const std::string& path : paths) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddFolder(*playlist, path.back() == '\\' ? path : path + "\\");
        } else if (IsPlaylistFile(path)) {
            playlist->Load(path);
        } else {
            playlist->Add(path);
        }
    }
    return playlist;
}

void OpenPaths(HWND window, const std::vector<std::string>& paths) {
    std::unique_ptr<Playlist> opened = PlaylistFromPaths(paths);
    if (opened->GetCount() == 0) {
        return;
    }
    ReplacePlaylist(std::move(opened));
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
