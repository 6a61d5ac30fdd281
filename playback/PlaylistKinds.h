#pragma once

#include <optional>
#include <string_view>

// The kinds of playlist file that Pipit reads, told by the file name's extension, letter case
// ignored: its own (.ppl, and any name that is none of the others), and the lists other players
// write (.m3u, .m3u8, .pls).
enum class PlaylistKind { Own, M3u, M3u8, Pls };

PlaylistKind PlaylistKindOf(std::string_view path);

// Whether the path names a playlist file by its extension: .ppl, .m3u, .m3u8 or .pls.
bool IsPlaylistFileName(std::string_view path);

// The entry that one line of a playlist file of the kind holds, if it holds one. Own lists hold
// one entry a line. M3U lists skip the lines that start with '#' (#EXTM3U, #EXTINF and the like);
// PLS lists hold entries only in their FileN= lines, numbered N, and nothing in their titles,
// lengths and other keys. Other players' entries that are URLs (scheme://) are passed over.
struct LineEntry {
    std::string_view path;
    unsigned long long number = 0;  // N of a PLS FileN= line
};
std::optional<LineEntry> EntryOfLine(PlaylistKind kind, std::string_view line);

// Whether the entry is a URL (a scheme of two or more characters, then "://"): no file's path.
bool IsUrl(std::string_view entry);
