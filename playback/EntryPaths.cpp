#include "playback/EntryPaths.h"

#include "common/LegacyText.h"
#include "common/LongPaths.h"
#include "playback/PlaylistKinds.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "D:music\a.mp3": on a drive, in whichever folder was the drive's current one.
bool OnDriveOnly(std::string_view path) {
    return path.size() > 1 && IsDriveLetter(path[0]) && path[1] == ':' && !IsFullPath(path);
}

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

bool IsFullPath(std::string_view path) {
    const bool onDrive = path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
    const bool onShare = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]);
    return onDrive || onShare;
}

PlaylistPlace PlaceOf(std::string_view playlistFile) {
    const std::wstring full = FullPath(playlistFile);
    const size_t nameStart = full.rfind(L'\\');
    const size_t folderLength = nameStart == std::wstring::npos ? 0 : nameStart;
    return {NarrowText(full.substr(0, folderLength), CP_ACP), NarrowText(full.substr(0, RootLength(full)), CP_ACP)};
}

std::string_view EntryPath(std::string_view entry, const PlaylistPlace& place, bool otherPlayers, std::string& path) {
    const bool rooted = !entry.empty() && IsSeparator(entry[0]);
    // A path on a drive without its folder stands as it is too: the list cannot say which folder of
    // that drive it meant.
    const bool full = IsFullPath(entry) || OnDriveOnly(entry) || IsUrl(entry);
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
