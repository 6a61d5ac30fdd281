#include "playback/SessionFile.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/LongPaths.h"
#include "playback/Playlist.h"
#include "playback/PlaylistLines.h"

namespace {

constexpr std::string_view kFirstLine = "Pipit session ";
constexpr int kVersion = 2;
constexpr std::string_view kCurrentLine = "current ";
constexpr std::string_view kPositionLine = "position ";

bool NumberAfter(std::string_view line, std::string_view start, int& number) {
    if (line.substr(0, start.size()) != start) {
        return false;
    }
    line.remove_prefix(start.size());
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
    return error == std::errc() && end == line.data() + line.size();
}

}  // namespace

bool WriteSessionFile(const std::string& path, const Playlist& playlist, DWORD positionMs, DWORD patienceMs) {
    std::string text(kFirstLine);
    text.append(std::to_string(kVersion)).append("\r\n");
    text.append(kCurrentLine).append(std::to_string(playlist.Current())).append("\r\n");
    text.append(kPositionLine).append(std::to_string(positionMs)).append("\r\n");
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        text.append(entry->path()).append("\r\n");
    }
    return WriteFileAnew(
        path, [&](HANDLE file) { return WriteAll(file, text); }, patienceMs);
}

KeptSession ReadSessionFile(const std::string& path) {
    auto playlist = std::make_unique<Playlist>();
    int lineNumber = 0;
    int version = 0;
    int current = 0;
    int position = 0;
    bool known = true;
    // "current N" counts the path lines of the file. A line that the player does not take (the
    // file edited by hand) leaves no entry, so the entry that was current is the one that the N-th
    // line made: the entries made before it, and one; or the one after, where that line made none.
    int entriesBeforeCurrent = 0;
    int pathLines = 0;
    PlaylistLineSplitter splitter([&](std::string_view line) {
        ++lineNumber;
        if (lineNumber == 1) {
            known = NumberAfter(line, kFirstLine, version) && version >= 1 && version <= kVersion;
        } else if (lineNumber == 2) {
            known = known && NumberAfter(line, kCurrentLine, current);
        } else if (lineNumber == 3 && version >= 2) {
            known = known && NumberAfter(line, kPositionLine, position);
        } else if (known && !LongerThanAnyPath(line)) {
            if (++pathLines < current) {
                const int before = playlist->GetCount();
                playlist->Add(line);
                entriesBeforeCurrent += playlist->GetCount() - before;
            } else {
                playlist->Add(line);
            }
        }
    });
    const bool read =
        ReadInPieces(path, [&](std::string_view piece) { return splitter.Feed(piece.data(), piece.size()) && known; });
    splitter.Finish();
    if (!read || !known || lineNumber < (version >= 2 ? 3 : 2)) {
        return {};
    }
    playlist->SetCurrent(std::min(entriesBeforeCurrent + 1, playlist->GetCount()));
    return {std::move(playlist), static_cast<DWORD>(std::max(position, 0))};
}
