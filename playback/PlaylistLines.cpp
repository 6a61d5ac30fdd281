#include "playback/PlaylistLines.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kEndOfData = '\x1A';

// rawLine is the line without its LF; endedByLineFeed says whether a LF closed it.
void HandleLine(std::string_view rawLine, bool endedByLineFeed,
                const std::function<void(std::string_view)>& onLine) {
    if (endedByLineFeed && !rawLine.empty() && rawLine.back() == kCarriageReturn) {
        rawLine.remove_suffix(1);
    }
    const size_t nul = rawLine.find('\0');
    if (nul != std::string_view::npos) {
        rawLine = rawLine.substr(0, nul);
    }
    if (!rawLine.empty()) {
        onLine(rawLine);
    }
}

}  // namespace

void ReadPlaylistLines(std::FILE* file, const std::function<void(std::string_view)>& onLine) {
    std::vector<char> chunk(64 * 1024);
    std::string pending;  // the start of a line that runs past the end of a chunk
    for (;;) {
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (got == 0) {
            break;
        }
        const char* data = chunk.data();
        const char* end = data + got;
        const char* stop = static_cast<const char*>(std::memchr(data, kEndOfData, got));
        if (stop) {
            end = stop;
        }
        const char* lineStart = data;
        while (lineStart < end) {
            const char* lineFeed = static_cast<const char*>(std::memchr(lineStart, kLineFeed, end - lineStart));
            if (!lineFeed) {
                pending.append(lineStart, end);
                break;
            }
            if (pending.empty()) {
                HandleLine(std::string_view(lineStart, lineFeed - lineStart), true, onLine);
            } else {
                pending.append(lineStart, lineFeed);
                HandleLine(pending, true, onLine);
                pending.clear();
            }
            lineStart = lineFeed + 1;
        }
        if (stop) {
            break;
        }
    }
    HandleLine(pending, false, onLine);
}
