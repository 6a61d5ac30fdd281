#include "playback/PlaylistLines.h"

#include <cstring>

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
            Keep(lineStart, end);
            break;
        }
        // Most lines lie wholly inside the bytes fed; only a line cut by their end is copied.
        if (dropping_) {
            dropping_ = false;
        } else if (pending_.empty()) {
            if (static_cast<size_t>(lineFeed - lineStart) <= kLongestLine) {
                HandleLine(std::string_view(lineStart, lineFeed - lineStart), true);
            }
        } else if (pending_.size() + (lineFeed - lineStart) <= kLongestLine) {
            pending_.append(lineStart, lineFeed);
            HandleLine(pending_, true);
        }
        pending_.clear();
        lineStart = lineFeed + 1;
    }
    return !ended_;
}

void PlaylistLineSplitter::Keep(const char* start, const char* end) {
    if (dropping_) {
        return;
    }
    if (pending_.size() + (end - start) > kLongestLine) {
        pending_.clear();
        pending_.shrink_to_fit();
        dropping_ = true;
        return;
    }
    pending_.append(start, end);
}

void PlaylistLineSplitter::Finish() {
    if (!dropping_) {
        HandleLine(pending_, false);
    }
    pending_.clear();
    dropping_ = false;
    ended_ = true;
}
