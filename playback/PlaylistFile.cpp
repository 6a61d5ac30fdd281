#include "playback/LegacyText.h"
#include "playback/Playlist.h"
#include "playback/PlaylistLines.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

int Playlist::Load(const std::string& fileName) {
    // Binary mode: the line rules (CR LF, 0x1A) are applied by the reader itself, alike everywhere.
    ScopedFile file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        return 0;
    }
    const UINT processCodePage = GetACP();
    const UINT legacyCodePage = processCodePage == CP_UTF8 ? LegacyAnsiCodePage() : processCodePage;
    ReadPlaylistLines(file.get(), [&](std::string_view line) {
        // A line that is UTF-8 already is taken as it stands, without a converted copy of it first.
        if (processCodePage == CP_UTF8 && !IsUtf8(line)) {
            Add(PathFromLine(line, processCodePage, legacyCodePage));
        } else {
            Add(line);
        }
    });
    return 1;
}

int Playlist::Save(const std::string& fileName) const {
    ScopedFile file(std::fopen(fileName.c_str(), "wb"));
    if (!file) {
        return 0;
    }
    bool written = true;
    for (const PlaylistEntry* entry = head.get(); entry; entry = entry->next.get()) {
        // Each line reaches the file before the next is written.
        written = std::fwrite(entry->path.data(), 1, entry->path.size(), file.get()) == entry->path.size() &&
                  std::fwrite("\r\n", 1, 2, file.get()) == 2 && std::fflush(file.get()) == 0 && written;
    }
    // A full disk or a failed close is a failure, not a saved playlist.
    return std::fclose(file.release()) == 0 && written ? 1 : 0;
}
