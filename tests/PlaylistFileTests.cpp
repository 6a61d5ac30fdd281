#include "common/ScopedHandles.h"
#include "playback/Playlist.h"
#include "playback/PlaylistKinds.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The entries that a playlist file of the name and bytes gives, those in the file's own folder
// shown in `folderAs` (by their names alone where it is empty).
Lines LoadBytes(const std::string& bytes, const std::string& name = "list.ppl", const std::string& folderAs = "") {
    TempFolder folder;
    WriteBytes(folder / name, bytes);
    Playlist playlist;
    EXPECT_EQ(playlist.Load(folder / name), 1);
    Lines paths = PathsOf(playlist);
    for (std::string& path : paths) {
        if (path.rfind(folder.Path() + "\\", 0) == 0) {
            path.replace(0, folder.Path().size() + 1, folderAs.empty() ? "" : folderAs + "\\");
        }
    }
    return paths;
}

// The names in a folder, "." and ".." left out.
Lines NamesIn(const std::string& folder) {
    Lines names;
    WIN32_FIND_DATAA found;
    const ScopedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    for (bool more = search.Valid(); more; more = FindNextFileA(search.Get(), &found)) {
        if (found.cFileName[0] != '.') names.emplace_back(found.cFileName);
    }
    return names;
}

}  // namespace

TEST(PlaylistFile, SaveWritesEachPathWithCrLfAndLoadGivesThemBack) {
    TempFolder folder;
    Playlist playlist;
    const std::string longFolder = "C:\\" + std::string(240, 'f') + "\\";
    const Lines paths = {
        "D:\\Music\\a.mp3",
        "D:\\Music\\b.WAV",
        "D:\\Music\\a.mp3",
        "relative.mid",
        // Windows paths reach 259 characters; every length around the old 253-byte pieces comes back whole.
        longFolder + std::string(253 - longFolder.size() - 4, 'x') + ".mp3",
        longFolder + std::string(254 - longFolder.size() - 4, 'x') + ".mp3",
        longFolder + std::string(259 - longFolder.size() - 4, 'x') + ".mp3",
        longFolder + std::string(600, 'y') + ".wav",
    };
    for (const std::string& path : paths) {
        playlist.Add(path);
    }
    ASSERT_EQ(playlist.Save(folder / "list.ppl"), 1);

    std::string expected;
    for (const std::string& path : paths) {
        expected += path + "\r\n";
    }
    EXPECT_EQ(ReadBytes(folder / "list.ppl"), expected);

    Playlist loaded;
    EXPECT_EQ(loaded.Load(folder / "list.ppl"), 1);
    Lines found = paths;
    found[3] = folder / "relative.mid";  // found beside the list
    EXPECT_EQ(PathsOf(loaded), found);
    EXPECT_EQ(loaded.Current(), 1);
}

TEST(PlaylistFile, EmptyPlaylistSavesAsZeroBytesAndLoadsAsNothing) {
    TempFolder folder;
    Playlist playlist;
    ASSERT_EQ(playlist.Save(folder / "empty.ppl"), 1);
    EXPECT_EQ(ReadBytes(folder / "empty.ppl"), "");
    EXPECT_TRUE(FileExists(folder / "empty.ppl"));
    EXPECT_EQ(LoadBytes(""), Lines{});
}

TEST(PlaylistFile, LoadTakesLfAndCrLfLinesBlankLinesAndAMissingLastLineEnd) {
    EXPECT_EQ(LoadBytes("a.mp3\nb.mp3\n"), (Lines{"a.mp3", "b.mp3"}));
    EXPECT_EQ(LoadBytes("a.mp3\r\nb.mp3\r\n"), (Lines{"a.mp3", "b.mp3"}));
    EXPECT_EQ(LoadBytes("\n\r\na.mp3\n\n\r\n\nb.mp3"), (Lines{"a.mp3", "b.mp3"}));
    EXPECT_EQ(LoadBytes("a.mp3\r\nb.mp3\r"), (Lines{"a.mp3"}));  // the CR at the very end is text
    // Nothing is trimmed: blanks after the extension, and a CR not directly before the LF, stay text.
    EXPECT_EQ(LoadBytes("a.mp3 \nb.mp3\r\r\nc.mp3\rd.mp3\n"), (Lines{"c.mp3\rd.mp3"}));
    EXPECT_EQ(LoadBytes("notes.txt\nsong.mp3\n"), (Lines{"song.mp3"}));
}

TEST(PlaylistFile, LoadStopsAtEndOfDataMarkAndCutsLinesAtNul) {
    EXPECT_EQ(LoadBytes("a.mp3\r\nb.mp3\x1A\r\nc.mp3\r\n"), (Lines{"a.mp3", "b.mp3"}));
    EXPECT_EQ(LoadBytes(std::string("\x1A"
                                    "a.mp3\r\n")),
              Lines{});
    EXPECT_EQ(LoadBytes(std::string("a.mp3\0junk\r\nb.wav\r\n", 19)), (Lines{"a.mp3", "b.wav"}));
    EXPECT_EQ(LoadBytes(std::string("\0a.mp3\nb.mp3\0", 13)), (Lines{"b.mp3"}));
}

TEST(PlaylistFile, LinesCutByTheEndOfAReadChunkComeBackWhole) {
    // Three lines of 30,000 characters: the third runs across the end of the first 64 KiB read.
    Lines three;
    for (char c : {'x', 'y', 'z'}) three.push_back("C:\\" + std::string(30000, c) + ".mp3");
    EXPECT_EQ(LoadBytes(three[0] + "\r\n" + three[1] + "\r\n" + three[2] + "\r\nb.mp3"),
              (Lines{three[0], three[1], three[2], "b.mp3"}));
    // A CR LF split across the reader's chunks is still one line end: the CR is the chunk's last byte.
    const std::string before = three[0] + "\r\n" + three[1] + "\r\n";
    const std::string line = std::string(64 * 1024 - 1 - before.size() - 4, 'q') + ".mp3";
    EXPECT_EQ(LoadBytes(before + line + "\r\nb.mp3\r\n"), (Lines{three[0], three[1], line, "b.mp3"}));
}

TEST(PlaylistFile, UnopenableFileLoadsNothingAndChangesNothing) {
    TempFolder folder;
    Playlist playlist;
    playlist.Add("C:\\keep.mp3");
    EXPECT_EQ(playlist.Load(folder / "missing.ppl"), 0);
    EXPECT_EQ(playlist.Load(folder.Path()), 0);  // a folder is no file
    EXPECT_EQ(PathsOf(playlist), Lines{"C:\\keep.mp3"});
    EXPECT_FALSE(FileExists(folder / "missing.ppl"));
}

TEST(PlaylistFile, LoadAppendsToWhatIsThere) {
    TempFolder folder;
    WriteBytes(folder / "list.ppl", "C:\\b.mp3\r\nC:\\c.mp3\r\n");
    Playlist playlist;
    playlist.Add("a.mp3");
    playlist.SetCurrent(0);
    EXPECT_EQ(playlist.Load(folder / "list.ppl"), 1);
    EXPECT_EQ(PathsOf(playlist), (Lines{"a.mp3", "C:\\b.mp3", "C:\\c.mp3"}));
    EXPECT_EQ(playlist.Current(), 0);
}

TEST(PlaylistFile, SaveReplacesAnExistingFileAndFailsCleanlyInAMissingFolder) {
    TempFolder folder;
    WriteBytes(folder / "list.ppl", std::string(5000, 'o'));
    Playlist playlist;
    playlist.Add("C:\\one.wav");
    ASSERT_EQ(playlist.Save(folder / "list.ppl"), 1);
    EXPECT_EQ(ReadBytes(folder / "list.ppl"), "C:\\one.wav\r\n");

    EXPECT_EQ(playlist.Save(folder / "no such folder\\list.ppl"), 0);
    EXPECT_FALSE(FileExists(folder / "no such folder"));
}

// Run by its own ctest entry under a file size limit (prlimit --fsize), past which every write fails
// as on a full disk.
TEST(PlaylistFile, ASaveThatFailsPartWayLeavesTheOldPlaylistByteForByte) {
    const char* limit = std::getenv("PIPIT_FILE_SIZE_LIMIT");
    if (!limit) {
        GTEST_SKIP() << "runs under a file size limit only";
    }
    TempFolder folder;
    const std::string old = "C:\\Music\\old.wav\r\n";
    ASSERT_TRUE(WriteBytes(folder / "list.ppl", old));
    Playlist playlist;
    for (size_t bytes = 0; bytes <= 2 * std::strtoul(limit, nullptr, 10); bytes += 80) {
        playlist.Add("C:\\Music\\" + std::string(64, 'x') + ".mp3");
    }
    EXPECT_EQ(playlist.Save(folder / "list.ppl"), 0);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "the system's reason is kept";
    EXPECT_EQ(ReadBytes(folder / "list.ppl"), old);
    EXPECT_EQ(NamesIn(folder.Path()), Lines{"list.ppl"}) << "the unfinished copy is removed";
}

TEST(PlaylistFile, SaveKeepsWhatTheOldFileCarriedAndNeverWritesInPlace) {
    TempFolder folder;
    const std::string list = folder / "list.ppl", old = "C:\\old.wav\r\n";
    Playlist playlist;
    playlist.Add("C:\\new.wav");
    WriteBytes(list, old);
    WriteBytes(list + ".saving", std::string(9000, 'x'));  // left by a save cut short: reused
    SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(playlist.Save(list), 1);
    EXPECT_EQ(ReadBytes(list), "C:\\new.wav\r\n");
    EXPECT_EQ(GetFileAttributesA(list.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(NamesIn(folder.Path()), Lines{"list.ppl"});

    SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteBytes(list, old);
    {
        // Held as a scanner holds it, without sharing its deletion: tried again, then refused.
        const ScopedFile held(CreateFileA(list.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(playlist.Save(list), 0);
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_GE(GetTickCount64() - start, 500u) << "tried again for about a second";
    }
    EXPECT_EQ(NamesIn(folder.Path()), Lines{"list.ppl"});
    // No new file can be made beside it.
    ASSERT_TRUE(CreateDirectoryA((list + ".saving").c_str(), nullptr));
    EXPECT_EQ(playlist.Save(list), 0);
    EXPECT_EQ(ReadBytes(list), old);
}

TEST(PlaylistFile, SaveAndLoadWorkInAFolderPastTheOldPathLimit) {
    TempFolder root;
    const std::string outer = root / std::string(120, 'a');
    const std::string folder = outer + "\\" + std::string(280 - outer.size(), 'b'), list = folder + "\\list.ppl";
    const std::wstring longFolder = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
    ASSERT_TRUE(CreateDirectoryA(outer.c_str(), nullptr) && CreateDirectoryW(longFolder.c_str(), nullptr));
    Playlist playlist, loaded;
    playlist.Add("C:\\one.wav");
    ASSERT_EQ(playlist.Save(list), 1) << GetLastError();
    ASSERT_EQ(playlist.Save(list), 1) << "over the file it made: " << GetLastError();
    ASSERT_EQ(loaded.Load(list), 1) << GetLastError();
    EXPECT_EQ(PathsOf(loaded), Lines{"C:\\one.wav"});
    EXPECT_TRUE(DeleteFileW((longFolder + L"\\list.ppl").c_str()) && RemoveDirectoryW(longFolder.c_str()));
}

// The build makes the link afresh for each run: a symbolic link of the host, which Wine follows.
TEST(PlaylistFile, SaveThroughALinkWritesTheFileItPointsTo) {
    const std::string links = Fixture("../test-links"), target = links + "\\target\\list.ppl";
    if (!FileExists(links + "\\target")) GTEST_SKIP() << "no link made for this run";
    ASSERT_TRUE(WriteBytes(target, "C:\\old.wav\r\n"));
    Playlist playlist;
    playlist.Add("C:\\new.wav");
    ASSERT_EQ(playlist.Save(links + "\\list.ppl"), 1);
    EXPECT_EQ(ReadBytes(target), "C:\\new.wav\r\n");
    EXPECT_EQ(NamesIn(links + "\\target"), Lines{"list.ppl"});
    ASSERT_TRUE(WriteBytes(links + "\\list.ppl", "C:\\again.wav\r\n"));
    EXPECT_EQ(ReadBytes(target), "C:\\again.wav\r\n") << "still the link";
}

TEST(PlaylistFile, ALoadThatCannotReadTheWholeFileFailsWholeWithTheSystemsReason) {
    // A pipe whose writer goes once the first lines have been read: a read that fails part-way.
    const std::string name = "\\\\.\\pipe\\pipit-test-" + std::to_string(GetCurrentProcessId());
    const ScopedFile pipe(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr));
    ASSERT_TRUE(pipe.Valid());
    std::thread writer([&] {
        ConnectNamedPipe(pipe.Get(), nullptr);
        DWORD written = 0;
        WriteFile(pipe.Get(), "C:\\a.mp3\r\nC:\\b.mp3\r\n", 20, &written, nullptr);
        FlushFileBuffers(pipe.Get());  // until they have been read
        DisconnectNamedPipe(pipe.Get());
    });
    Playlist playlist;
    playlist.Add("C:\\keep.mp3");
    EXPECT_EQ(playlist.Load(name), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PIPE_NOT_CONNECTED));
    writer.join();
    playlist.Add("C:\\after.mp3");
    EXPECT_EQ(PathsOf(playlist), (Lines{"C:\\keep.mp3", "C:\\after.mp3"}));
}

TEST(PlaylistFile, ByteOrderMarksOfUtf8AndUtf16FilesAreNoPartOfAPath) {
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF"
                        "C:\\a.mp3\r\nb.wav\r\n"),
              (Lines{"C:\\a.mp3", "b.wav"}));
    // The same line rules after the conversion to the process code page, in both byte orders, with
    // a line longer than the reader's first 64 KiB.
    const std::u16string longLine = u"D:\\" + std::u16string(32746, u'q') + u"\U0001D11E.mp3";
    const std::u16string text = u"C:\\\u00e9.mp3\r\n\nb.wav\n" + longLine +
                                u"\r\n\x1A"
                                u"c.mp3";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (char16_t unit : text) {
        little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    auto narrow = [](const std::u16string& wide) {
        const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
        const int size = static_cast<int>(wide.size());
        std::string bytes(WideCharToMultiByte(CP_ACP, 0, units, size, nullptr, 0, nullptr, nullptr), '\0');
        WideCharToMultiByte(CP_ACP, 0, units, size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
        return bytes;
    };
    const Lines expected = {narrow(u"C:\\\u00e9.mp3"), "b.wav", narrow(longLine)};
    EXPECT_EQ(LoadBytes(little), expected);
    EXPECT_EQ(LoadBytes(big), expected);
}

TEST(PlaylistFile, OtherPlayersListsGiveTheirFilesInOrderAndNeverTheirTitlesOrAddresses) {
    const std::string m3u =
        "#EXTM3U\r\n#EXTINF:103,Dawn Chorus.mp3\r\na.mp3\r\nsub/b.mp3\r\n\\Music\\c.mp3\r\n/Music/d.wav\r\n"
        "http://radio.example/e.mp3\r\nD:/Full/f.mp3\r\n\\\\server\\share\\g.mp3\r\n";
    const Lines found = {"<list>\\a.mp3",    "<list>\\sub\\b.mp3", "C:\\Music\\c.mp3",
                         "C:\\Music\\d.wav", "D:\\Full\\f.mp3",    "\\\\server\\share\\g.mp3"};
    EXPECT_EQ(LoadBytes(m3u, "list.M3U", "<list>"), found);
    EXPECT_EQ(LoadBytes(m3u, "list.m3u8", "<list>"), found);
    // An M3U list is in the process code page unless its byte order mark says UTF-8; M3U8 is UTF-8.
    const std::string cafe = "caf\xc3\xa9.mp3", inProcessCodePage = GetACP() == CP_UTF8 ? cafe : "caf\xe9.mp3";
    EXPECT_EQ(LoadBytes(inProcessCodePage, "list.m3u"), Lines{inProcessCodePage});
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF" + cafe, "list.m3u"), Lines{inProcessCodePage});
    EXPECT_EQ(LoadBytes(cafe, "list.m3u8"), Lines{inProcessCodePage});

    const std::string pls =
        "[playlist]\r\nNumberOfEntries=4\r\nFile2=two.mp3\r\nTitle2=Song.mp3\r\nFILE1=C:/one.mp3\r\n"
        "Length1=103\r\nFile10=\\ten.mp3\r\nFile3=https://example.org/x.mp3\r\nPlaylistName=Name.mp3\r\nVersion=2\r\n";
    EXPECT_EQ(LoadBytes(pls, "list.pls", "<list>"), (Lines{"C:\\one.mp3", "<list>\\two.mp3", "C:\\ten.mp3"}));
}

TEST(PlaylistFile, OwnListsFindRelativePathsBesideThemAndKeepFullPathsAsTheyStand) {
    EXPECT_EQ(LoadBytes("a.mp3\r\nsub/b.mp3\r\n\\Music\\c.mp3\r\nD:/Full/d.mp3\r\nhttp://host/e.mp3\r\n", "list.ppl",
                        "<list>"),
              (Lines{"<list>\\a.mp3", "<list>\\sub\\b.mp3", "C:\\Music\\c.mp3", "D:/Full/d.mp3", "http://host/e.mp3"}));
    EXPECT_TRUE(IsPlaylistFileName("D:\\x.PPL") && IsPlaylistFileName("x.m3u") && IsPlaylistFileName("x.M3U8") &&
                IsPlaylistFileName("x.pls"));
    EXPECT_FALSE(IsPlaylistFileName("x.mp3") || IsPlaylistFileName("x.ppl.txt") || IsPlaylistFileName("D:\\x.pls\\y"));
}

TEST(PlaylistFile, SaveWritesM3u8AndPlsListsThatOtherPlayersRead) {
    TempFolder folder;
    Playlist playlist;
    const std::string cafe = GetACP() == CP_UTF8 ? "C:\\caf\xc3\xa9.mp3" : "C:\\caf\xe9.mp3";
    playlist.Add(cafe);
    playlist.Add("D:\\b.wav");
    ASSERT_EQ(playlist.Save(folder / "mix.M3U8"), 1);
    EXPECT_EQ(ReadBytes(folder / "mix.M3U8"), "#EXTM3U\r\nC:\\caf\xc3\xa9.mp3\r\nD:\\b.wav\r\n");
    ASSERT_EQ(playlist.Save(folder / "mix.pls"), 1);
    EXPECT_EQ(ReadBytes(folder / "mix.pls"),
              "[playlist]\r\nFile1=" + cafe + "\r\nFile2=D:\\b.wav\r\nNumberOfEntries=2\r\nVersion=2\r\n");
    for (const char* name : {"mix.M3U8", "mix.pls"}) {
        Playlist loaded;
        ASSERT_EQ(loaded.Load(folder / name), 1);
        EXPECT_EQ(PathsOf(loaded), (Lines{cafe, "D:\\b.wav"})) << name;
    }
}
