#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/LegacyText.h"
#include "common/LongPaths.h"
#include "common/ScopedHandles.h"
#include "common/Utf16Text.h"
#include "playback/EntryPaths.h"
#include "playback/Playlist.h"
#include "playback/PlaylistKinds.h"
#include "playback/PlaylistLines.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

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

// The entries of a playlist file, read from its bytes as they come: its kind (by its name) decides
// which lines hold entries, a byte order mark or the kind how its text is encoded, and its place
// where the entries that are not full paths are.
class PlaylistFileReader {
public:
    PlaylistFileReader(const std::string& fileName, std::function<void(std::string_view)> onEntry)
        : kind_(PlaylistKindOf(fileName)),
          place_(PlaceOf(fileName)),
          processCodePage_(GetACP()),
          legacyCodePage_(processCodePage_ == CP_UTF8 ? LegacyAnsiCodePage() : processCodePage_),
          utf8_(kind_ == PlaylistKind::M3u8),
          onEntry_(std::move(onEntry)),
          splitter_([this](std::string_view line) { TakeLine(line); }) {}

    // False once the end-of-data byte was met: nothing after it is read.
    bool Feed(std::string_view bytes) {
        if (first_) {
            first_ = false;
            utf16_ = TakeByteOrderMark(bytes, processCodePage_, utf8_);
        }
        if (utf16_) {
            bytes = utf16_->Decode(bytes);
        }
        return splitter_.Feed(bytes.data(), bytes.size());
    }

    void Finish() {
        if (utf16_) {
            const std::string_view rest = utf16_->Finish();
            splitter_.Feed(rest.data(), rest.size());
        }
        splitter_.Finish();
        // A PLS list's entries in the order of their numbers; entries of one number in the order
        // they came.
        std::stable_sort(numbered_.begin(), numbered_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [number, entry] : numbered_) {
            onEntry_(EntryPath(entry, place_, true, path_));
        }
    }

private:
    void TakeLine(std::string_view line) {
        const std::string_view text = utf8_ ? InCodePage(line, CP_UTF8, processCodePage_, converted_)
                                            : PathFromLine(line, processCodePage_, legacyCodePage_, converted_);
        if (LongerThanAnyPath(text)) {
            return;
        }
        const std::optional<LineEntry> entry = EntryOfLine(kind_, text);
        if (entry && kind_ == PlaylistKind::Pls) {
            numbered_.emplace_back(entry->number, entry->path);
        } else if (entry) {
            onEntry_(EntryPath(entry->path, place_, kind_ != PlaylistKind::Own, path_));
        }
    }

    const PlaylistKind kind_;
    const PlaylistPlace place_;
    const UINT processCodePage_;
    const UINT legacyCodePage_;
    bool utf8_;  // and any list that starts with the UTF-8 byte order mark
    bool first_ = true;
    std::function<void(std::string_view)> onEntry_;
    PlaylistLineSplitter splitter_;
    std::optional<Utf16Decoder> utf16_;
    std::string converted_, path_;
    std::vector<std::pair<unsigned long long, std::string>> numbered_;  // a PLS list's entries and their N
};

}  // namespace

int Playlist::Load(const std::string& fileName) {
    // A load fails whole: what a read that fails part-way has added is taken off again.
    const AddedSince before{tail, count, current};
    PlaylistFileReader reader(fileName, [this](std::string_view path) { Add(path); });
    if (!ReadInPieces(fileName, [&](std::string_view piece) { return reader.Feed(piece); })) {
        const DWORD reason = GetLastError();
        TakeOffAdded(before);
        SetLastError(reason);
        return 0;
    }
    reader.Finish();
    return 1;
}

void Playlist::TakeOffAdded(const AddedSince& before) {
    if (before.tail) {
        before.tail->next = nullptr;
    } else {
        head = nullptr;
    }
    tail = before.tail;
    count = before.count;
    current = before.current;
    lastWalked = nullptr;
    lastWalkedPosition = 0;
}

int Playlist::Save(const std::string& fileName) const {
    const PlaylistKind kind = PlaylistKindOf(fileName);
    return WriteFileAnew(fileName, [&](HANDLE file) { return WriteLines(file, head, kind); }) ? 1 : 0;
}
