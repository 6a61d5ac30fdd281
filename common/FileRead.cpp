#include "common/FileRead.h"

#include <windows.h>

#include <vector>

#include "common/LongPaths.h"
#include "common/ScopedHandles.h"

namespace {

constexpr DWORD kPieceSize = 64 * 1024;

}  // namespace

bool ReadInPieces(const std::string& path, const std::function<bool(std::string_view)>& piece) {
    const std::wstring longPath = LongPath(path);
    const ScopedFile file(longPath.empty()
                              ? INVALID_HANDLE_VALUE
                              : CreateFileW(longPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    std::vector<char> bytes(kPieceSize);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data(), kPieceSize, &got, nullptr)) {
            return false;
        }
        if (got == 0 || !piece(std::string_view(bytes.data(), got))) {
            return true;
        }
    }
}
