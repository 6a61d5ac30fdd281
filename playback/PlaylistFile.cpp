#include "playback/EntryPaths.h"
#include "common/FileReplace.h"
#include "common/LegacyText.h"
#include "common/LongPaths.h"
#include "playback/Playlist.h"
#include "playback/PlaylistKinds.h"
#include "playback/PlaylistLines.h"
#include "common/ScopedHandles.h"
#include "common/Utf16Text.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kPieceSize = 64 * 1024;

// Shared as a C runtime stream shares it: other programs may read and write the file meanwhile.
HANDLE OpenForReading(const std::string& path) {
    const std::wstring longPath = LongPath(path);
    return longPath.empty() ? INVALID_HANDLE_VALUE
                            : CreateFileW(longPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A byte order mark, which editors put at the start of "UTF-8" and "Unicode" files, is never part
// of a path; it tells that the text is UTF-8 (`utf8` set) or UTF-16 (a decoder into the code page
// returned, `utf8` cleared). Files without one are read byte for byte, as they always were.
std::optional<Utf16Decoder> TakeByteOrderMark(std::string_view& bytes, UINT codePage, bool& utf8) {
    constexpr std::string_view kUtf8 = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16LittleEndian = "\xFF\xFE";
    constexpr std::string_view kUtf16BigEndian = "\xFE\xFF";
    if (bytes.substr(0, kUtf8.size()) == kUtf8) {
        bytes.remove_prefix(kUtf8.size());
        utf8 = true;
    } else if (bytes.substr(0, 2) == kUtf16LittleEndian || bytes.substr(0, 2) == kUtf16BigEndian) {
        const bool bigEndian = bytes.substr(0, 2) == kUtf16BigEndian;
        bytes.remove_prefix(2);
        utf8 = false;
        return Utf16Decoder(bigEndian, codePage);
    }
    return std::nullopt;
}

// Pipit's own lists (.ppl, and any name not below) hold the paths as they are. An M3U8 list holds
// them in UTF-8 below its #EXTM3U line, and a PLS list in numbered FileN= lines, so that other
// players read them. Each line is handed to the system as it is written, so that it has reached
// the file before the next one is written.
bool WriteLines(HANDLE file, const PlaylistEntry* entry, PlaylistKind kind) {
    const bool pls = kind == PlaylistKind::Pls, m3u8 = kind == PlaylistKind::M3u8;
    if (!WriteAll(file, pls ? "[playlist]\r\n" : m3u8 ? "#EXTM3U\r\n" : "")) {
        return false;
    }
    const UINT codePage = GetACP();
    std::string line, converted;
    int number = 0;
    for (; entry; entry = entry->next) {
        line.assign(pls ? "File" + std::to_string(++number) + "=" : "");
        line.append(m3u8 ? InCodePage(entry->path(), codePage, CP_UTF8, converted) : entry->path()).append("\r\n");
        if (!WriteAll(file, line)) {
            return false;
        }
    }
    return !pls || WriteAll(file, "NumberOfEntries=" + std::to_string(number) + "\r\nVersion=2\r\n");
}

}  // namespace

int Playlist::Load(const std::string& fileName) {
    ScopedFile file(OpenForReading(fileName));
    if (!file.Valid()) {
        return 0;
    }
    // A load fails whole: what a read that fails part-way has added is taken off again.
    PlaylistEntry* const oldTail = tail;
    const int oldCount = count;
    const int oldCurrent = current;
    auto fail = [&] {
        const DWORD reason = GetLastError();
        if (oldTail) {
            oldTail->next = nullptr;
        } else {
            head = nullptr;
        }
        tail = oldTail;
        count = oldCount;
        current = oldCurrent;
        lastWalked = nullptr;
        lastWalkedPosition = 0;
        SetLastError(reason);
        return 0;
    };

    const PlaylistKind kind = PlaylistKindOf(fileName);
    const PlaylistPlace place = PlaceOf(fileName);
    const UINT processCodePage = GetACP();
    const UINT legacyCodePage = processCodePage == CP_UTF8 ? LegacyAnsiCodePage() : processCodePage;
    bool utf8 = kind == PlaylistKind::M3u8;  // and any list that starts with the UTF-8 byte order mark
    std::string converted, path;
    std::vector<std::pair<unsigned long long, std::string>> numbered;  // a PLS list's entries and their N
    PlaylistLineSplitter splitter([&](std::string_view line) {
        const std::string_view text = utf8 ? InCodePage(line, CP_UTF8, processCodePage, converted)
                                           : PathFromLine(line, processCodePage, legacyCodePage, converted);
        const std::optional<LineEntry> entry = EntryOfLine(kind, text);
        if (entry && kind == PlaylistKind::Pls) {
            numbered.emplace_back(entry->number, entry->path);
        } else if (entry) {
            Add(EntryPath(entry->path, place, kind != PlaylistKind::Own, path));
        }
    });
    std::vector<char> piece(kPieceSize);
    std::optional<Utf16Decoder> utf16;
    for (bool first = true;; first = false) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), piece.data(), kPieceSize, &got, nullptr)) {
            return fail();
        }
        if (got == 0) {
            break;
        }
        std::string_view bytes(piece.data(), got);
        if (first) {
            utf16 = TakeByteOrderMark(bytes, processCodePage, utf8);
        }
        if (utf16) {
            bytes = utf16->Decode(bytes);
        }
        if (!splitter.Feed(bytes.data(), bytes.size())) {
            break;
        }
    }
    if (utf16) {
        const std::string_view rest = utf16->Finish();
        splitter.Feed(rest.data(), rest.size());
    }
    splitter.Finish();
    // In the order of their numbers; entries of one number in the order they came.
    std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [number, entry] : numbered) {
        Add(EntryPath(entry, place, true, path));
    }
    return 1;
}

int Playlist::Save(const std::string& fileName) const {
    const PlaylistKind kind = PlaylistKindOf(fileName);
    return WriteFileAnew(fileName, [&](HANDLE file) { return WriteLines(file, head, kind); }) ? 1 : 0;
}
