#pragma once

#include "common/PathLimits.h"

#include <functional>
#include <string>
#include <string_view>

// The reading rules of a playlist file, applied to its bytes as they come:
// - a line ends at LF; a CR directly before that LF belongs to the line end, any other CR is text;
// - the last line may lack its line end;
// - a byte 0x1A ends the data;
// - a line's text ends at its first NUL byte;
// - empty lines are skipped, and a line comes whole up to kLongestLine bytes;
// - a longer line holds no path in any code page: it is dropped as it comes, and never held whole.
// No platform calls.
class PlaylistLineSplitter {
public:
    static constexpr size_t kLongestLine = kLongestPathBytes;

    using LineHandler = std::function<void(std::string_view)>;
    explicit PlaylistLineSplitter(LineHandler onLine) : onLine_(std::move(onLine)) {}

    // Takes the next bytes of the file; returns false once the end-of-data byte has been met.
    bool Feed(const char* data, size_t size);
    // The end of the file: hands on a last line that has no line end.
    void Finish();

private:
    void HandleLine(std::string_view rawLine, bool endedByLineFeed);
    // Keeps the start of a line cut by the end of the bytes fed, unless the line is too long.
    void Keep(const char* start, const char* end);

    LineHandler onLine_;
    std::string pending_;    // the start of a line that runs past the bytes fed so far
    bool dropping_ = false;  // the line that runs past them is too long, and is dropped to its end
    bool ended_ = false;
};
