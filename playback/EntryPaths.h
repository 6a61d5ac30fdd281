#pragma once

#include <string>
#include <string_view>

// Where the entries of a playlist file that are not full paths are found, in the process code
// page and without a final backslash: the playlist file's folder, and the root of its drive ("D:",
// or "\\server\share" for a network folder). A playlist on a stick thus travels with its music.
struct PlaylistPlace {
    std::string folder;
    std::string root;
};
PlaylistPlace PlaceOf(std::string_view playlistFile);

// Whether the path is full: on a drive from its root ("D:\..."), or on a network share
// ("\\server\..."); '/' counts as '\'.
bool IsFullPath(std::string_view path);

// The path an entry names: a full path ("D:\...", "\\server\...") or a URL as it stands; a path
// rooted without a drive letter ("\Music\a.mp3") on the playlist's drive; any other in the
// playlist's folder. '/' is taken as '\' where the entry is resolved, and in every entry of an
// other player's list (`otherPlayers`). The result is the entry itself or is kept in `path`.
std::string_view EntryPath(std::string_view entry, const PlaylistPlace& place, bool otherPlayers, std::string& path);
