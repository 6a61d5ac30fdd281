#include "playback/PlaylistLines.h"

#include <cstring>
#include <vector>

namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kEndOfData = '\x1A';

}  // namespace

void PlaylistLineSplitter::HandleLine(std::string_view rawLine, bool endedByLineFeed) {
    if (endedByLineFeed && !rawLine.empty() && rawLine.back() == kCarriageReturn) {
        rawLine.remove_suffix(1);
    }
    const size_t nul = rawLine.find('\0');
    if (nul != std::string_view::npos) {
        rawLine = rawLine.substr(0, nul);
    }
    if (!rawLine.empty()) {
        onLine_(rawLine);
    }
}

bool PlaylistLineSplitter::Feed(const char* data, size_t size) {
    if (ended_) {
        return false;
    }
    const char* end = data + size;
    if (const void* stop = std::memchr(data, kEndOfData, size)) {
        end = static_cast<const char*>(stop);
        ended_ = true;
    }
    const char* lineStart = data;
    while (lineStart < end) {
        const char* lineFeed = static_cast<const char*>(std::memchr(lineStart, kLineFeed, end - lineStart));
        if (!lineFeed) {
            pending_.append(lineStart, end);
            break;
        }
        // Most lines lie wholly inside the bytes fed; only a line cut by their end is copied.
        if (pending_.empty()) {
            HandleLine(std::string_view(lineStart, lineFeed - lineStart), true);
        } else {
            pending_.append(lineStart, lineFeed);
            HandleLine(pending_, true);
            pending_.clear();
        }
        lineStart = lineFeed + 1;
    }
    return !ended_;
}

void PlaylistLineSplitter::Finish() {
    HandleLine(pending_, false);
    pending_.clear();
    ended_ = true;
}

void ReadPlaylistLines(std::FILE* file, const PlaylistLineSplitter::LineHandler& onLine) {
    PlaylistLineSplitter splitter(onLine);
    std::vector<char> chunk(size_t{64} * 1024);
    for (;;) {
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (got == 0 || !splitter.Feed(chunk.data(), got)) {
            break;
        }
    }
    splitter.Finish();
}
