// A coverage-guided fuzzer for the playlist file reader, built natively with clang's libFuzzer and
// AddressSanitizer. The first byte chooses where the input is cut into two pieces.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "playback/PlaylistLines.h"
#include "tests/PlaylistModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t cut = bytes.empty() ? 0 : data[0] % (bytes.size() + 1);
    std::vector<std::string> lines;
    PlaylistLineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
    if (splitter.Feed(bytes.data(), cut)) splitter.Feed(bytes.data() + cut, bytes.size() - cut);
    splitter.Finish();
    if (lines != ModelPlaylistLines(bytes)) std::abort();
    return 0;
}
