#include "playback/SessionFile.h"

#include <charconv>
#include <string_view>

#include "common/FileReplace.h"
#include "common/LongPaths.h"
#include "playback/Playlist.h"
#include "common/ScopedHandles.h"

namespace {

constexpr std::string_view kFirstLine = "Pipit session ";
constexpr int kVersion = 1;
constexpr std::string_view kCurrentLine = "current ";

bool ReadWhole(const std::string& path, std::string& bytes) {
    const std::wstring longPath = LongPath(path);
    const ScopedFile file(longPath.empty() ? INVALID_HANDLE_VALUE
                                           : CreateFileW(longPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
}

// The next CR LF line, taken off the front of the text.
std::string_view TakeLine(std::string_view& text) {
    const size_t end = text.find("\r\n");
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    return line;
}

bool NumberAfter(std::string_view line, std::string_view start, int& number) {
    if (line.substr(0, start.size()) != start) {
        return false;
    }
    line.remove_prefix(start.size());
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number);
    return error == std::errc() && end == line.data() + line.size();
}

}  // namespace

bool WriteSessionFile(const std::string& path, const Playlist& playlist) {
    std::string text(kFirstLine);
    text.append(std::to_string(kVersion)).append("\r\n");
    text.append(kCurrentLine).append(std::to_string(playlist.Current())).append("\r\n");
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        text.append(entry->path()).append("\r\n");
    }
    return WriteFileAnew(path, [&](HANDLE file) { return WriteAll(file, text); });
}

std::unique_ptr<Playlist> ReadSessionFile(const std::string& path) {
    std::string bytes;
    if (!ReadWhole(path, bytes)) {
        return nullptr;
    }
    std::string_view text = bytes;
    int version = 0;
    int current = 0;
    if (!NumberAfter(TakeLine(text), kFirstLine, version) || version < 1 || version > kVersion ||
        !NumberAfter(TakeLine(text), kCurrentLine, current)) {
        return nullptr;
    }
    auto playlist = std::make_unique<Playlist>();
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        if (!line.empty()) {
            playlist->Add(line);
        }
    }
    playlist->SetCurrent(current >= 0 && current <= playlist->GetCount() ? current : playlist->GetCount() > 0);
    return playlist;
}
