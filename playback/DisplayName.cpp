#include "playback/DisplayName.h"

#include "common/CharacterWalk.h"

namespace {

// The bytes kept of each end of a shortened name: a few dozen characters in any script.
constexpr size_t kKeptBytes = 100;

bool HasMaxPathCharacters(std::string_view name, UINT codePage) {
    size_t offset = 0;
    for (int characters = 0; characters < MAX_PATH; ++characters) {
        if (offset >= name.size()) {
            return false;
        }
        offset = NextCharacter(name, offset, codePage);
    }
    return true;
}

}  // namespace

size_t FileNameOffset(std::string_view path, UINT codePage) {
    if (!IsDoubleByteCodePage(codePage)) {
        // In single-byte code pages and in UTF-8 every byte 0x5C is a backslash.
        const size_t slash = path.rfind('\\');
        return slash == std::string_view::npos ? 0 : slash + 1;
    }
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); i = NextCharacter(path, i, codePage)) {
        if (path[i] == '\\') {
            nameStart = i + 1;
        }
    }
    return nameStart;
}

std::string_view ListedName(std::string_view path, UINT codePage, std::string& shortened) {
    const std::string_view name = path.substr(FileNameOffset(path, codePage));
    // Fewer bytes than MAX_PATH are fewer characters too.
    if (name.size() < MAX_PATH || !HasMaxPathCharacters(name, codePage)) {
        return name;
    }
    const size_t headEnd = CharacterStartFrom(name, kKeptBytes, codePage);
    const size_t tailStart = CharacterStartFrom(name, name.size() - kKeptBytes, codePage);
    shortened.assign(name.substr(0, headEnd)).append("...").append(name.substr(tailStart));
    return shortened;
}
