#pragma once

// An independent statement of how a playlist file is read, byte by byte, for checking the reader
// against: the lines it must give, in order, before any is offered to the playlist.

#include <string>
#include <vector>

// Lines of more than this many bytes hold no path, and are dropped.
constexpr size_t kModelLongestLine = 3 * 32767;

inline std::vector<std::string> ModelPlaylistLines(const std::string& bytes) {
    std::vector<std::string> lines;
    auto finish = [&lines](std::string line, bool lineFeed) {
        if (line.size() > kModelLongestLine) return;
        if (lineFeed && !line.empty() && line[line.size() - 1] == '\r') line.erase(line.size() - 1);
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\0') {
                line.erase(i);
                break;
            }
        }
        if (!line.empty()) lines.push_back(line);
    };
    std::string line;
    for (char byte : bytes) {
        if (byte == '\x1A') break;
        if (byte == '\n') {
            finish(line, true);
            line.clear();
        } else {
            line += byte;
        }
    }
    finish(line, false);
    return lines;
}
