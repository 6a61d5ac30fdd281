#include "playback/PlaylistKinds.h"

#include <algorithm>
#include <charconv>

#include "common/AsciiText.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view ExtensionOf(std::string_view path) {
    const size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : path.substr(dot);
}

std::optional<LineEntry> PlsEntry(std::string_view line) {
    constexpr std::string_view kFile = "file";
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals <= kFile.size() ||
        !SameLettersAscii(line.substr(0, kFile.size()), kFile)) {
        return std::nullopt;
    }
    const std::string_view digits = line.substr(kFile.size(), equals - kFile.size());
    LineEntry entry{line.substr(equals + 1)};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), entry.number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return entry;
}

}  // namespace

PlaylistKind PlaylistKindOf(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    if (SameLettersAscii(extension, ".m3u")) return PlaylistKind::M3u;
    if (SameLettersAscii(extension, ".m3u8")) return PlaylistKind::M3u8;
    if (SameLettersAscii(extension, ".pls")) return PlaylistKind::Pls;
    return PlaylistKind::Own;
}

bool IsPlaylistFileName(std::string_view path) {
    return PlaylistKindOf(path) != PlaylistKind::Own || SameLettersAscii(ExtensionOf(path), ".ppl");
}

bool IsUrl(std::string_view entry) {
    const size_t colon = entry.find("://");
    if (colon == std::string_view::npos || colon < 2 || !IsLetter(entry.front())) {
        return false;
    }
    const std::string_view scheme = entry.substr(0, colon);
    return std::all_of(scheme.begin(), scheme.end(),
                       [](char c) { return IsLetter(c) || IsDigit(c) || c == '+' || c == '-' || c == '.'; });
}

std::optional<LineEntry> EntryOfLine(PlaylistKind kind, std::string_view line) {
    std::optional<LineEntry> entry;
    switch (kind) {
        case PlaylistKind::Own: return LineEntry{line};
        case PlaylistKind::M3u:
        case PlaylistKind::M3u8:
            if (!line.empty() && line.front() != '#') entry = LineEntry{line};
            break;
        case PlaylistKind::Pls: entry = PlsEntry(line); break;
    }
    if (entry && (entry->path.empty() || IsUrl(entry->path))) {
        entry.reset();
    }
    return entry;
}
