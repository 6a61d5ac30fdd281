// The playlist file reader against any bytes: generated inputs, fed in pieces of every size and
// read from real files, must give exactly the lines of the model, and nothing may crash or hang.
#include "common/LongPaths.h"
#include "playback/EntryPaths.h"
#include "playback/Playlist.h"
#include "playback/PlaylistLines.h"
#include "tests/PlaylistModel.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class InputMaker {
public:
    explicit InputMaker(unsigned seed) : random_(seed) {}

    std::string Next() {
        switch (Pick(12)) {
            case 0: return "";
            case 1: return Bytes(Pick(64), /*anyByte=*/true);  // noise
            case 2:
                return std::string(60000 + Pick(60000), 'a') +
                       ".mp3";  // one huge line, no line end, past the longest kept or not
            case 3: return Lines(1 + Pick(4)) + std::string(1, '\x1A') + Lines(2);
            default: return Bytes(Pick(300), Pick(4) == 0);
        }
    }
    size_t Pick(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(random_); }

private:
    // Mostly the stuff of paths and line ends, so that whole lines and their edges come up often.
    std::string Bytes(size_t size, bool anyByte) {
        static const char kAlphabet[] = {'a', 'b',  '.',  '.',  'm',  'p',  '3',    'w',    'v',   '\\',
                                         ' ', '\r', '\r', '\n', '\n', '\0', '\x1A', '\xe9', '\x82'};
        std::string bytes;
        for (size_t i = 0; i < size; ++i) {
            bytes += anyByte ? static_cast<char>(Pick(256)) : kAlphabet[Pick(sizeof kAlphabet)];
        }
        return bytes;
    }
    std::string Lines(size_t count) {
        std::string text;
        for (size_t i = 0; i < count; ++i) text += "C:\\x" + std::to_string(Pick(1000)) + ".mp3\r\n";
        return text;
    }
    std::mt19937 random_;
};

std::vector<std::string> Split(const std::string& bytes, InputMaker& maker) {
    std::vector<std::string> lines;
    PlaylistLineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t piece = std::min(bytes.size() - at, 1 + maker.Pick(maker.Pick(2) ? 8 : 5000));
        if (!splitter.Feed(bytes.data() + at, piece)) break;
        at += piece;
    }
    splitter.Finish();
    return lines;
}

}  // namespace

TEST(PlaylistReaderFuzz, HundredThousandGeneratedInputsGiveTheModelsLines) {
    InputMaker maker(20261207);
    for (int i = 0; i < 100000; ++i) {
        const std::string bytes = maker.Next();
        const std::vector<std::string> expected = ModelPlaylistLines(bytes);
        const std::vector<std::string> got = Split(bytes, maker);
        ASSERT_EQ(got, expected) << "input " << i << " of " << bytes.size() << " bytes";
    }
}

TEST(PlaylistReaderFuzz, LoadFromRealFilesAddsTheModelsAcceptedLines) {
    InputMaker maker(7);
    TempFolder folder;
    const std::string file = folder / "fuzz.ppl";
    const PlaylistPlace place = PlaceOf(file);  // where the lines that are no full paths are found
    std::string path;
    for (int i = 0; i < 1500; ++i) {
        const std::string bytes = maker.Next();
        WriteBytes(file, bytes);
        Playlist loaded;
        ASSERT_EQ(loaded.Load(file), 1);
        Playlist expected;
        for (const std::string& line : ModelPlaylistLines(bytes)) {
            if (!LongerThanAnyPath(line)) expected.Add(EntryPath(line, place, false, path));
        }
        ASSERT_EQ(loaded.GetCount(), expected.GetCount()) << "input " << i;
        for (const PlaylistEntry *a = loaded.Head(), *b = expected.Head(); a && b; a = a->next, b = b->next) {
            ASSERT_EQ(a->path(), b->path());
        }
    }
}
