#include "playback/EntryPaths.h"

#include "common/LegacyText.h"
#include "common/LongPaths.h"
#include "playback/PlaylistKinds.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Where the root of a full path ends: past "D:", or past "\\server\share".
size_t RootLength(std::wstring_view path) {
    if (path.substr(0, 2) != L"\\\\") {
        return path.size() >= 2 && path[1] == L':' ? 2 : 0;
    }
    const size_t server = path.find(L'\\', 2);
    const size_t share = server == std::wstring_view::npos ? server : path.find(L'\\', server + 1);
    return share == std::wstring_view::npos ? path.size() : share;
}

}  // namespace

PlaylistPlace PlaceOf(std::string_view playlistFile) {
    const std::wstring full = FullPath(playlistFile);
    const size_t nameStart = full.rfind(L'\\');
    const size_t folderLength = nameStart == std::wstring::npos ? 0 : nameStart;
    return {NarrowText(full.substr(0, folderLength), CP_ACP), NarrowText(full.substr(0, RootLength(full)), CP_ACP)};
}

std::string_view EntryPath(std::string_view entry, const PlaylistPlace& place, bool otherPlayers, std::string& path) {
    const bool rooted = !entry.empty() && IsSeparator(entry[0]);
    // "D:music\a.mp3" stands as it is: the list cannot say which folder of that drive it meant.
    const bool full =
        (rooted && entry.size() > 1 && IsSeparator(entry[1])) || (entry.size() > 1 && entry[1] == ':') || IsUrl(entry);
    if (full && (!otherPlayers || entry.find('/') == std::string_view::npos)) {
        return entry;
    }
    if (full) {
        path.assign(entry);
    } else if (rooted) {
        path.assign(place.root).append(entry);
    } else {
        path.assign(place.folder).append(1, '\\').append(entry);
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
