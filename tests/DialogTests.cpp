// The dialogs opened in-process over the real main window, with real list boxes, drops and MCI.
#include "tests/DialogTestSupport.h"
#include "tests/ShellTestSupport.h"
#include "tests/TestSupport.h"

#include <algorithm>
#include <thread>

#include "app/PathsToPlaylist.h"
#include "app/Playing.h"
#include "app/Session.h"
#include "app/TrayIcon.h"
#include "common/ScopedHandles.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/FileChoosers.h"
#include "dialogs/PlaylistDialog.h"
#include "playback/DeviceTypes.h"
#include "playback/FolderSearch.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"
#include "version.h"

using namespace shell_test;

namespace {

int WidestPlusSix(HWND list) {
    const ScopedWindowDC dc(list);
    const ScopedSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& item : ListItems(list)) {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx) + 6);
    }
    return widest;
}

int Extent(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)); }

class Dialogs : public ShellTest {
protected:
    INT_PTR Playlist(const std::function<void(HWND dialog, HWND list)>& body) {
        return RunModal(window_, IDD_PLAYLIST, PlaylistDialogProc,
                        [&](HWND dialog) { body(dialog, GetDlgItem(dialog, IDC_PLAYLIST)); });
    }
    // Drops the paths on the dialog and waits until what they hold has joined the playlist.
    static void Drop(HWND dialog, const std::vector<std::string>& paths) {
        SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
        ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 10000));
    }
    std::string Wav(const std::string& name, int milliseconds = 3000) {
        const std::string path = media_ / name;
        WriteWav(path, milliseconds);
        return path;
    }
    TempFolder media_;
};

std::vector<std::string> NamesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths) names.push_back(path.substr(path.rfind('\\') + 1));
    return names;
}

// The extensions of a filter's patterns ("*.avi;*.cda" -> .avi .cda).
std::vector<std::string> ExtensionsOf(const std::string& patterns) {
    std::vector<std::string> extensions;
    for (size_t start = 0; start < patterns.size();) {
        const size_t end = std::min(patterns.find(';', start), patterns.size());
        extensions.push_back(patterns.substr(start + 1, end - start - 1));
        start = end + 1;
    }
    return extensions;
}

}  // namespace

TEST_F(Dialogs, FilterStringsBecomeNulSeparatedListsEndingInTwoNuls) {
    char buffer[2600];
    LoadFilterString(IDS_PLAYLIST_FILTER, buffer, sizeof buffer);
    const char expected[] =
        "Playlists (*.ppl;*.m3u;*.m3u8;*.pls)\0*.ppl;*.m3u;*.m3u8;*.pls\0Pipit Playlist (*.ppl)\0*.ppl\0"
        "M3U8 Playlist (*.m3u8)\0*.m3u8\0All Files(*.*)\0*.*\0";
    EXPECT_EQ(std::string(buffer, sizeof expected), std::string(expected, sizeof expected));

    LoadFilterString(IDS_MEDIA_FILTER, buffer, sizeof buffer);
    std::vector<std::string> parts;
    for (const char* part = buffer; *part; part += strlen(part) + 1) parts.push_back(part);
    ASSERT_EQ(parts.size(), 14u);
    EXPECT_EQ(parts[0], "All Media Files");
    EXPECT_EQ(parts[1].substr(0, 12), "*.avi;*.cda;");
    EXPECT_EQ(parts[3], "*.avi");
    EXPECT_EQ(parts[7], "*.mid;*.rmi");
    EXPECT_EQ(parts[10], "MPEG Files");
    EXPECT_EQ(parts[11], parts[1].substr(std::string("*.avi;*.cda;*.mid;*.rmi;*.wav;").size()));
    EXPECT_EQ(parts[12], "All Files(*.*)");
    EXPECT_EQ(parts[13], "*.*");
    size_t total = 0;
    for (const std::string& part : parts) total += part.size() + 1;
    EXPECT_EQ(total, 519u);  // the resource text, its 14 separators now NULs

    // The filter and the device-type table name the same extensions in the same order: every file
    // offered has a device, and every device's files are offered, the narrower filters among them.
    std::vector<std::string> table;
    for (std::string_view extension : MediaExtensions()) {
        std::string lower(extension);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(tolower(c)); });
        table.push_back(lower);
    }
    EXPECT_EQ(ExtensionsOf(parts[1]), table);
    std::vector<std::string> narrower;
    for (int i = 3; i <= 11; i += 2) {
        const std::vector<std::string> some = ExtensionsOf(parts[i]);
        narrower.insert(narrower.end(), some.begin(), some.end());
    }
    EXPECT_EQ(narrower, table);
}

TEST_F(Dialogs, ChosenFilesReplaceThePlaylistAndTheFirstAcceptedOnePlays) {
    const std::string a = Wav("a.wav"), b = Wav("b.wav");
    g_playlist->Add("C:\\old.mp3");
    Command(IDM_LOOP);

    // Several files: the folder, then each name, as the dialog leaves them.
    std::string buffer = media_.Path() + '\0' + "notes.txt" + '\0' + "b.wav" + '\0' + "a.wav" + '\0' + '\0';
    TakeChosenMediaFiles(window_, buffer.c_str(), static_cast<WORD>(media_.Path().size() + 1));
    EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{b, a}));
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
    g_playlist->SetCurrent(2);
    EXPECT_EQ(g_playlist->Next(), 1) << "the new playlist carries the Loop setting";
    g_playlist->SetCurrent(1);

    // One file: the buffer holds its full path.
    const size_t nameOffset = a.rfind('\\') + 1;
    TakeChosenMediaFiles(window_, a.c_str(), static_cast<WORD>(nameOffset));
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{a});
    EXPECT_EQ(OpenMciDeviceCount(), 1) << "the old entry's device was closed";

    // Several in a drive root: two backslashes after the drive.
    buffer = std::string("C:\\") + '\0' + "x.mp3" + '\0' + "y.mid" + '\0' + '\0';
    TakeChosenMediaFiles(window_, buffer.c_str(), 4);
    EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{"C:\\\\x.mp3", "C:\\\\y.mid"}));

    // Nothing acceptable: an empty playlist, nothing plays.
    buffer = media_.Path() + "\\notes.txt";
    TakeChosenMediaFiles(window_, buffer.c_str(), static_cast<WORD>(media_.Path().size() + 1));
    EXPECT_EQ(g_playlist->GetCount(), 0);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

TEST_F(Dialogs, PlaylistDialogListsNamesWithTheCurrentSelectedAndMeasuresTheWidest) {
    g_playlist->Add("D:\\Music\\first song.mp3");
    g_playlist->Add("D:\\Music\\A much longer file name than the others.wav");
    g_playlist->Add("c.mid");
    g_playlist->SetCurrent(2);
    const INT_PTR result = Playlist([](HWND dialog, HWND list) {
        EXPECT_EQ(ListItems(list),
                  (std::vector<std::string>{"first song.mp3", "A much longer file name than the others.wav", "c.mid"}));
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(Extent(list), WidestPlusSix(list));
        EXPECT_GT(Extent(list), 100);
        EXPECT_EQ(GetFocus(), list) << "the list has the keyboard from the start";
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 2);
}

TEST_F(Dialogs, PlaylistDialogOnAnEmptyPlaylistHasNoScrollRangeAndEscCloses) {
    const INT_PTR result = Playlist([](HWND dialog, HWND list) {
        EXPECT_TRUE(ListItems(list).empty());
        EXPECT_EQ(Extent(list), 0);
        PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(result, 2);
}

TEST_F(Dialogs, DoubleClickPlaysThatEntryAndClearEmptiesEverything) {
    for (const char* name : {"1.wav", "2.wav", "3.wav"}) g_playlist->Add(Wav(name));
    Command(IDM_LOOP);
    Command(IDM_PLAY);
    Playlist([&](HWND dialog, HWND list) {
        SendMessageA(list, LB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(g_playlist->Current(), 3);
        EXPECT_EQ(Playback(), PlaybackState::Playing);
        EXPECT_EQ(OpenMciDeviceCount(), 1);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";

        ClickButton(dialog, IDC_CLEAR);
        EXPECT_EQ(g_playlist->GetCount(), 0);
        EXPECT_NE(Playback(), PlaybackState::Playing);
        EXPECT_EQ(OpenMciDeviceCount(), 0);
        EXPECT_TRUE(ListItems(list).empty());
        EXPECT_EQ(Extent(list), 0);
        g_playlist->Add("a.wav");
        g_playlist->Add("b.wav");
        g_playlist->SetCurrent(2);
        EXPECT_EQ(g_playlist->Next(), 1) << "the fresh playlist carries the Loop setting";
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, APlaylistReplacedBehindTheDialogIsShownAtOnceAndDoubleClickPlaysWhatIsShown) {
    for (const char* name : {"1.wav", "2.wav", "3.wav"}) g_playlist->Add(Wav(name));
    auto replacement = std::make_unique<::Playlist>();
    for (const char* name : {"x.wav", "y.wav", "z.wav"}) replacement->Add(Wav(name));
    const std::string dropped = Wav("dropped.wav");
    Playlist([&](HWND dialog, HWND list) {
        // A tray action (Load, Select Media Files, a hand-over) replaces it by one of the same length.
        ReplacePlaylist(std::move(replacement));
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"x.wav", "y.wav", "z.wav"}));
        SendMessageA(list, LB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(g_playlist->CurrentPath(), media_ / "z.wav");
        EXPECT_EQ(Playback(), PlaybackState::Playing);
        Drop(dialog, {dropped});
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"x.wav", "y.wav", "z.wav", "dropped.wav"}));
        EXPECT_EQ(ListItems(list), NamesOf(PathsOf(*g_playlist)));
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, DropAppendsFilesAndWholeFolderTreesInDropOrderDepthFirst) {
    SKIP_WITHOUT_FIXTURES();
    TempFolder drop;
    const std::string tree = drop / "tree";
    for (const char* folder : {"", "\\sub", "\\sub\\deeper", "\\hidden", "\\readonly", "\\empty"}) {
        CreateDirectoryA((tree + folder).c_str(), nullptr);
    }
    for (const char* file : {"\\one.wav", "\\notes.txt", "\\sub\\two.mp3", "\\sub\\deeper\\three.mid",
                             "\\sub\\deeper\\four.wav", "\\hidden\\five.wav", "\\readonly\\six.avi"}) {
        WriteBytes(tree + file, "x");
    }
    SetFileAttributesA((tree + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((tree + "\\readonly").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string longName = drop / (std::string(90, 'L') + ".mp3");
    WriteBytes(longName, "x");
    const std::string before = drop / "before.wav", after = drop / "after.mp3";
    WriteBytes(before, "x");
    WriteBytes(after, "x");

    g_playlist->Add("C:\\existing.wav");
    g_playlist->SetCurrent(1);
    Playlist([&](HWND dialog, HWND list) {
        Drop(dialog, {before, tree, drop / "notes.doc", drop / "missing", longName, Fixture("linkloop"), after});
        const std::vector<std::string> paths = PathsOf(*g_playlist);
        ASSERT_EQ(paths.size(), 11u);
        EXPECT_EQ(paths[0], "C:\\existing.wav");
        EXPECT_EQ(paths[1], before);
        std::vector<std::string> fromTree(paths.begin() + 2, paths.begin() + 8);
        std::vector<std::string> expected;
        for (const char* file : {"\\one.wav", "\\sub\\two.mp3", "\\sub\\deeper\\three.mid", "\\sub\\deeper\\four.wav",
                                 "\\hidden\\five.wav", "\\readonly\\six.avi"}) {
            expected.push_back(tree + file);
        }
        std::vector<std::string> sorted = fromTree;
        std::sort(sorted.begin(), sorted.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sorted, expected);
        // Depth first: a sub-folder's files, its own sub-folders' included, come in one run.
        auto contiguous = [&](const std::string& prefix) {
            std::vector<int> at;
            for (int i = 0; i < static_cast<int>(fromTree.size()); ++i) {
                if (fromTree[i].rfind(prefix, 0) == 0) at.push_back(i);
            }
            return !at.empty() && at.back() - at.front() + 1 == static_cast<int>(at.size());
        };
        EXPECT_TRUE(contiguous(tree + "\\sub\\"));
        EXPECT_TRUE(contiguous(tree + "\\sub\\deeper\\"));
        EXPECT_EQ(paths[8], longName);
        EXPECT_EQ(paths[9], Fixture("linkloop") + "\\inner\\song.wav") << "the link loop is searched once";
        EXPECT_EQ(paths[10], after);

        EXPECT_EQ(g_playlist->Current(), 1);
        EXPECT_NE(Playback(), PlaybackState::Playing) << "a drop plays nothing";
        EXPECT_EQ(ListItems(list).size(), 11u);
        EXPECT_EQ(ListItems(list)[8], std::string(90, 'L') + ".mp3");
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(Extent(list), WidestPlusSix(list));
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, ADropOntoALargeShownListAddsItsEntriesAndTheListStillMatchesThePlaylist) {
    for (int i = 0; i < 5000; ++i) g_playlist->Add("C:\\Music\\track " + std::to_string(i) + ".mp3");
    g_playlist->SetCurrent(2);
    TempFolder drop;
    CreateDirectoryA((drop / "folder").c_str(), nullptr);
    WriteBytes(drop / "folder\\in folder.wav", "x");
    WriteBytes(drop / "a much longer name than any other in the list.wav", "x");
    Playlist([&](HWND dialog, HWND list) {
        Drop(dialog, {drop / "a much longer name than any other in the list.wav", drop / "folder"});
        EXPECT_EQ(ListItems(list), NamesOf(PathsOf(*g_playlist)));
        EXPECT_EQ(g_playlist->GetCount(), 5002);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(Extent(list), WidestPlusSix(list));
        // Replaced from the tray meanwhile: the next drop appends to the new playlist's picture.
        auto replacement = std::make_unique<::Playlist>();
        replacement->Add("C:\\Music\\new.wav");
        ReplacePlaylist(std::move(replacement));
        Drop(dialog, {drop / "folder"});
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"new.wav", "in folder.wav"}));
        EXPECT_EQ(Extent(list), WidestPlusSix(list));
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, NoNameHangsTheDialogAndEveryNameShorterThanMaxPathIsListedWhole) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    std::string wide(255, 'W'), cjk, emoji;
    for (int i = 0; i < 255; ++i) {
        cjk += "\xe6\x97\xa5";        // 日
        emoji += "\xf0\x9f\x98\x80";  // 😀, two UTF-16 units
    }
    const std::vector<std::string> names = {wide + ".mp3", cjk + ".wav", emoji + ".mp3"};
    for (const std::string& name : names) g_playlist->Add("C:\\Music\\" + name);
    // A stray line of a playlist: a megabyte with no backslash, ending in a media extension.
    const std::string junk = "http://example.com/" + std::string(1 << 20, 'a') + ".mp3";
    g_playlist->Add(junk);
    Playlist([&](HWND dialog, HWND list) {
        const std::vector<std::string> items = ListItems(list);
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 3), names);
        EXPECT_EQ(items[3].substr(0, 20), "http://example.com/a");
        EXPECT_NE(items[3].find("..."), std::string::npos);
        EXPECT_LT(items[3].size(), static_cast<size_t>(MAX_PATH));
        EXPECT_EQ(Extent(list), WidestPlusSix(list));
        // The entry itself stays whole. It cannot play, nor can any other: once the search for one
        // that plays has ended, the entry meant is current again.
        SendMessageA(list, LB_SETCURSEL, 3, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 10000));
        EXPECT_EQ(g_playlist->CurrentPath(), junk);
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, DropOnAnEmptyPlaylistMakesTheFirstFileCurrentWithoutPlaying) {
    const std::string a = Wav("a.wav");
    Playlist([&](HWND dialog, HWND list) {
        Drop(dialog, {media_ / "x.txt", a});
        EXPECT_EQ(g_playlist->Current(), 1);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(OpenMciDeviceCount(), 0);
        ClickButton(dialog, IDCANCEL);
    });
}

// Another player's list dropped among files gives its files, in its place in the drop, and is
// never itself an entry.
TEST_F(Dialogs, DroppedListsOfOtherPlayersAddTheirFilesInTheirPlaceInTheDrop) {
    const std::string a = Wav("a.wav");
    CreateDirectoryA((media_ / "sub").c_str(), nullptr);
    WriteBytes(media_ / "list.m3u", "#EXTM3U\r\n#EXTINF:3,Title\r\nsub/b.wav\r\nhttp://radio.example/x.mp3\r\n");
    WriteBytes(media_ / "list.pls", "[playlist]\r\nFile2=d.wav\r\nFile1=c.wav\r\nNumberOfEntries=2\r\n");
    Playlist([&](HWND dialog, HWND) {
        Drop(dialog, {media_ / "list.m3u", a, media_ / "list.pls"});
        EXPECT_EQ(PathsOf(*g_playlist),
                  (std::vector<std::string>{media_ / "sub\\b.wav", a, media_ / "c.wav", media_ / "d.wav"}));
        ClickButton(dialog, IDCANCEL);
    });
}

TEST_F(Dialogs, FolderSearchSkipsPathsThePlatformCannotOpen) {
    // 230 characters of folder and a 40-character name: the whole path is past MAX_PATH.
    TempFolder root;
    std::string deep = root.Path();
    while (deep.size() < 200) {
        deep += "\\" + std::string(20, 'd');
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    WriteBytes(deep + "\\ok.wav", "x");
    // Made through the long form of a path (with its \\?\ prefix), which takes any length.
    const std::string tooLong = deep + "\\" + std::string(280 - deep.size(), 'n') + ".wav";
    const std::wstring longForm = L"\\\\?\\" + std::wstring(tooLong.begin(), tooLong.end());
    const ScopedFile made(CreateFileW(longForm.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(made.Valid()) << "the platform would not make a file past MAX_PATH";
    AddFolder(*g_playlist, root.Path() + "\\");
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{deep + "\\ok.wav"});
}

TEST_F(Dialogs, FolderSearchTakesAFolderOnceWhenALinkBesideItLeadsThereAgain) {
    SKIP_WITHOUT_FIXTURES();
    // a holds song.wav and b is a link to a. Whichever of them the search meets first, the song is
    // taken once: a plain folder searched before the first link is still known when the link comes.
    const std::string top = Fixture("linksibling");
    AddFolder(*g_playlist, top + "\\");
    const std::vector<std::string> paths = PathsOf(*g_playlist);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_TRUE(paths[0] == top + "\\a\\song.wav" || paths[0] == top + "\\b\\song.wav") << paths[0];
}

TEST_F(Dialogs, AboutBoxEndsWithCloseOrEnterAs8AndEscAs2AndLeavesPlaybackAlone) {
    for (const char* name : {"1.wav", "2.wav"}) g_playlist->Add(Wav(name));
    Command(IDM_NEXT);
    EXPECT_EQ(RunModal(window_, IDD_ABOUT, AboutDialogProc, [](HWND dialog) { ClickButton(dialog, IDCLOSE); }), 8);
    EXPECT_EQ(RunModal(window_, IDD_ABOUT, AboutDialogProc, [](HWND dialog) { PressKey(dialog, VK_RETURN); }), 8);
    EXPECT_EQ(RunModal(window_, IDD_ABOUT, AboutDialogProc, [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }), 2);
    EXPECT_EQ(g_playlist->GetCount(), 2);
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
}

namespace {

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> Controls(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back(child);
    }
    return controls;
}

// Every control shows, whole, inside the dialog, and clear of every other one.
void ExpectEveryControlShownAndApart(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::vector<HWND> controls = Controls(dialog);
    for (size_t i = 0; i < controls.size(); ++i) {
        RECT rect{}, inside{}, shared{};
        GetWindowRect(controls[i], &rect);
        EXPECT_TRUE(IsWindowVisible(controls[i])) << WindowText(controls[i]);
        IntersectRect(&inside, &rect, &client);
        EXPECT_TRUE(EqualRect(&inside, &rect)) << WindowText(controls[i]) << " reaches out of the dialog";
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT other{};
            GetWindowRect(controls[j], &other);
            EXPECT_FALSE(IntersectRect(&shared, &rect, &other))
                << WindowText(controls[i]) << " covers " << WindowText(controls[j]);
        }
    }
}

bool AnyTextHas(HWND dialog, std::string_view part) {
    const std::vector<HWND> controls = Controls(dialog);
    return std::any_of(controls.begin(), controls.end(),
                       [&](HWND control) { return WindowText(control).find(part) != std::string::npos; });
}

}  // namespace

// What a user needs of the Playlist dialog: files dropped on it reach it, the list shows one chosen
// entry in play order and a long one scrolls both ways, a double-click reaches the dialog, its two buttons are
// there, and Tab goes from the list to Clear to Close and back.
TEST_F(Dialogs, ThePlaylistDialogHasWhatItsUserNeeds) {
    for (int i = 0; i < 40; ++i) {
        g_playlist->Add("D:\\Music\\A name too long for the list to show it whole, number " + std::to_string(i) +
                        ".mp3");
    }
    Playlist([](HWND dialog, HWND list) {
        EXPECT_EQ(WindowText(dialog), "Pipit Playlist");
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        const LONG style = GetWindowLongA(list, GWL_STYLE);
        EXPECT_TRUE(style & LBS_NOTIFY) << "double-clicks reach the dialog";
        EXPECT_EQ(style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_SORT), 0);
        EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL) << "a long list scrolls both ways";
        const HWND close = GetDlgItem(dialog, IDCANCEL);
        const HWND clear = GetDlgItem(dialog, IDC_CLEAR);
        EXPECT_EQ(WindowText(close), "&Close");
        EXPECT_EQ(WindowText(clear), "Clear");
        EXPECT_EQ(GetNextDlgTabItem(dialog, list, FALSE), clear);
        EXPECT_EQ(GetNextDlgTabItem(dialog, clear, FALSE), close);
        EXPECT_EQ(GetNextDlgTabItem(dialog, close, FALSE), list);
        EXPECT_TRUE(AnyTextHas(dialog, "Double click")) << "how to play an entry";
        EXPECT_TRUE(AnyTextHas(dialog, "drag files")) << "how to add files";
        ExpectEveryControlShownAndApart(dialog);
        ClickButton(dialog, IDCANCEL);
    });
}

// The About box names the program and its support address, and Enter closes it (Close is the
// default button).
TEST_F(Dialogs, TheAboutBoxNamesTheProgramAndWhereToWrite) {
    RunModal(window_, IDD_ABOUT, AboutDialogProc, [](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "About Pipit");
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCLOSE);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCLOSE)), "&Close");
        EXPECT_TRUE(AnyTextHas(dialog, PIPIT_ABOUT_TITLE));
        EXPECT_TRUE(AnyTextHas(dialog, "@")) << "the support address";
        ExpectEveryControlShownAndApart(dialog);
        ClickButton(dialog, IDCLOSE);
    });
}

TEST_F(Dialogs, FileNamesInAnyScriptAreDroppedListedPlayedSavedAndLoadedBack) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest sets the process code page";
    const std::string japanese = "\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xae\xe6\xad\x8c.wav";               // 日本の歌
    const std::string greek = "\xce\xa4\xcf\x81\xce\xb1\xce\xb3\xce\xbf\xcf\x8d\xce\xb4\xce\xb9.wav";  // Τραγούδι
    const std::string first = Wav(japanese, 300), second = Wav(greek, 300);
    Playlist([&](HWND dialog, HWND list) {
        Drop(dialog, {first, second});
        EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{first, second}));
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{japanese, greek}));
        for (int index : {0, 1}) {
            SendMessageA(list, LB_SETCURSEL, index, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
            EXPECT_EQ(OpenMciDeviceCount(), 1) << "MCI opened " << (index ? greek : japanese);
        }
        ClickButton(dialog, IDCANCEL);
    });
    Command(IDM_STOP);

    const std::string saved = media_ / "scripts.ppl";
    ASSERT_EQ(g_playlist->Save(saved), 1);
    EXPECT_EQ(ReadBytes(saved), first + "\r\n" + second + "\r\n");
    ClearPlaylist();
    ASSERT_EQ(g_playlist->Load(saved), 1);
    EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{first, second}));
}

TEST_F(Dialogs, PlaylistsWrittenInTheLegacyCodePageStillLoadAndPlay) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    const std::string cafe = Wav("caf\xc3\xa9.wav", 300);  // café.wav
    const std::string folder = media_.Path();
    // An older playlist holds the name in code page 1252, the system's here.
    WriteBytes(media_ / "old.ppl", folder + "\\caf\xe9.wav\r\n");
    ClearPlaylist();
    ASSERT_EQ(g_playlist->Load(media_ / "old.ppl"), 1);
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{cafe});
    Command(IDM_PLAY);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
    Command(IDM_STOP);
}

TEST_F(Dialogs, APlaylistFileThatCannotBeReadOrWrittenIsNamedWithTheReasonAndNothingIsLost) {
    const std::string kept = Wav("kept.wav");
    g_playlist->Add(kept);
    Command(IDM_PLAY);
    const std::string gone = media_ / "gone.ppl";
    std::string message = AnswerMessageBox(window_, [&] { LoadPlaylistFile(window_, gone); });
    EXPECT_EQ(message.find("The playlist was not loaded.\n\n" + gone + "\n\n"), 0u) << message;
    EXPECT_GT(message.size(), gone.size() + 40) << "the system's reason";
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{kept});
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 1);

    const std::string readOnly = media_ / "read-only.ppl";
    WriteBytes(readOnly, "C:\\old.wav\r\n");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    message = AnswerMessageBox(window_, [&] { SavePlaylistFile(window_, readOnly); });
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(message.find("The playlist was not saved.\n\n" + readOnly + "\n\n"), 0u) << message;
    EXPECT_EQ(ReadBytes(readOnly), "C:\\old.wav\r\n");

    // A save and a load that work say nothing.
    EXPECT_EQ(AnswerMessageBox(window_, [&] { SavePlaylistFile(window_, readOnly); }), "");
    EXPECT_EQ(AnswerMessageBox(window_, [&] { LoadPlaylistFile(window_, readOnly); }), "");
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{kept});
}

// Exit, a close from outside and the end of the session may each come while a file chooser, the
// Playlist dialog, the About box or a failure message box is open, inside the command that opened
// it. Each ends the player cleanly: the window and its icon gone, no device open, the playlist
// freed once the command has returned, and the message loop's end with code 0.
TEST_F(Dialogs, ExitWhileADialogIsOpenEndsThePlayerCleanly) {
    SKIP_WITHOUT_FIXTURES();
    const std::string unreadable = media_ / "gone.ppl";
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> dialogs =
        {
            {"file chooser", [](HWND window) { SendMessageA(window, WM_COMMAND, IDM_SELECT_MEDIA, 0); }},
            {"Playlist dialog", [](HWND window) { SendMessageA(window, WM_COMMAND, IDM_PLAYLIST_VIEW, 0); }},
            {"About box", [](HWND window) { SendMessageA(window, WM_COMMAND, IDM_ABOUT, 0); }},
            {"failure message",
             [&](HWND window) {
        const HandlerScope inACommand;
        LoadPlaylistFile(window, unreadable);
             }},
    };
    // Sent from another thread, as another program or the system sends them.
    auto sentFromOutside = [](UINT message, WPARAM wParam) {
        return [=](HWND window) { std::thread([=] { SendMessageA(window, message, wParam, 0); }).detach(); };
    };
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> doors = {
        {"Exit from the tray menu", [](HWND window) { PostMessageA(window, WM_COMMAND, IDM_EXIT, 0); }},
        {"WM_CLOSE", sentFromOutside(WM_CLOSE, 0)},
        {"WM_ENDSESSION", sentFromOutside(WM_ENDSESSION, TRUE)},
    };
    for (const auto& [dialogName, open] : dialogs) {
        for (const auto& [doorName, knock] : doors) {
            SCOPED_TRACE(std::string(doorName) + " while the " + dialogName + " is open");
            if (!IsWindow(window_)) Start();
            g_playlist->Add(Fixture("long.wav"));
            Command(IDM_PLAY);
            ASSERT_EQ(OpenMciDeviceCount(), 1);
            NOTIFYICONDATAA icon{};
            icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
            icon.hWnd = window_;
            icon.uID = kTrayIconId;
            const HWND window = window_;
            const std::function<void(HWND)>& knockOnTheWindow = knock;
            WhenDialogUp(window, [&](HWND) { knockOnTheWindow(window); });
            open(window);
            ASSERT_FALSE(IsWindow(window)) << "the player did not end";
            EXPECT_EQ(g_playlist, nullptr);
            EXPECT_EQ(OpenMciDeviceCount(), 0);
            EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the icon stayed";
            MSG quit{};
            EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(quit.wParam, 0u);
        }
    }
}

// Delete takes the selected entry out; taking out the one that plays stops it and makes the one
// after it current. Alt + Up and Alt + Down move the selected entry, the current one staying the
// same file. The list follows the playlist throughout.
TEST_F(Dialogs, DeleteAndAltArrowsTakeOutAndMoveTheSelectedEntry) {
    for (const char* name : {"1.wav", "2.wav", "3.wav", "4.wav"}) g_playlist->Add(Wav(name));
    g_playlist->SetCurrent(2);
    Command(IDM_PLAY);
    auto press = [](HWND list, UINT message, WPARAM key) {
        PostMessageA(list, message, key, message == WM_SYSKEYDOWN ? (1 << 29) : 0);
        PumpUntil(
            [&] {
            MSG pending;
            return !PeekMessageA(&pending, list, message, message, PM_NOREMOVE);
            },
            5000);
    };
    Playlist([&](HWND dialog, HWND list) {
        SetFocus(list);
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        press(list, WM_KEYDOWN, VK_DELETE);  // not the one that plays
        EXPECT_EQ(NamesOf(PathsOf(*g_playlist)), (std::vector<std::string>{"2.wav", "3.wav", "4.wav"}));
        EXPECT_EQ(g_playlist->CurrentPath(), media_ / "2.wav");
        EXPECT_EQ(Playback(), PlaybackState::Playing);

        press(list, WM_KEYDOWN, VK_DELETE);  // now the one that plays
        EXPECT_EQ(g_playlist->CurrentPath(), media_ / "3.wav");
        EXPECT_NE(Playback(), PlaybackState::Playing);
        EXPECT_EQ(OpenMciDeviceCount(), 0);

        SendMessageA(list, LB_SETCURSEL, 0, 0);
        press(list, WM_SYSKEYDOWN, VK_DOWN);
        EXPECT_EQ(NamesOf(PathsOf(*g_playlist)), (std::vector<std::string>{"4.wav", "3.wav"}));
        EXPECT_EQ(g_playlist->CurrentPath(), media_ / "3.wav");
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "the moved entry stays selected";
        press(list, WM_SYSKEYDOWN, VK_UP);
        EXPECT_EQ(NamesOf(PathsOf(*g_playlist)), (std::vector<std::string>{"3.wav", "4.wav"}));
        EXPECT_EQ(ListItems(list), NamesOf(PathsOf(*g_playlist)));

        SendMessageA(list, LB_SETCURSEL, 1, 0);
        press(list, WM_KEYDOWN, VK_DELETE);
        press(list, WM_KEYDOWN, VK_DELETE);
        EXPECT_EQ(g_playlist->GetCount(), 0);
        EXPECT_EQ(g_playlist->Current(), 0);
        EXPECT_TRUE(ListItems(list).empty());
        ClickButton(dialog, IDCANCEL);
    });
}

namespace {

// A playlist that counts how often one of its kind is freed.
int g_watchedFreed = 0;
class WatchedPlaylist : public ::Playlist {
public:
    ~WatchedPlaylist() override { ++g_watchedFreed; }
};

bool KeptSessionHolds(const std::string& text) { return ReadBytes(KeptSessionPath()).find(text) != std::string::npos; }

}  // namespace

// A dialog, a file chooser, the About box, a message box and the tray menu run message loops of their
// own while the command that opened them waits. Every message those loops dispatch is followed by
// the work that follows the main loop's: the media keys follow what plays, the next entry is opened
// ahead, a change is kept in the session, and a playlist replaced meanwhile is freed.
TEST_F(Dialogs, InsideEveryLoopACommandOpensEachMessageIsFollowedByItsWork) {
    std::vector<std::string> wavs;
    for (const char* name : {"1.wav", "2.wav", "3.wav"}) wavs.push_back(Wav(name, 30000));
    auto freshPlaylist = [&] {
        auto playlist = std::make_unique<::Playlist>();
        for (const std::string& wav : wavs) playlist->Add(wav);
        return playlist;
    };
    StartSession(window_, false);
    const std::string unreadable = media_ / "gone.ppl";
    auto inside = [&](HWND loop) {
        Hotkey(kHotkeyPlay);
        EXPECT_TRUE(PlayerHoldsMediaKeys()) << "not taken as the play started";
        EXPECT_TRUE(PumpUntil([] { return OpenMciDeviceFiles().size() == 2; }, 5000)) << "nothing opened ahead";
        Hotkey(kHotkeyNext);
        EXPECT_TRUE(PumpUntil([] { return KeptSessionHolds("current 2\r\n"); }, 10000)) << "the change was not kept";
        Hotkey(kHotkeyStop);
        EXPECT_TRUE(MediaKeysFree()) << "not given back at Stop";
        g_watchedFreed = 0;
        ReplacePlaylist(std::make_unique<WatchedPlaylist>());
        ReplacePlaylist(freshPlaylist());
        Command(IDM_LOOP);
        Command(IDM_LOOP);
        EXPECT_EQ(g_watchedFreed, 1) << "the replaced playlist was kept";
        if (loop) PostMessageA(loop, WM_COMMAND, IDCANCEL, 0);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> openers =
        {
            {"Playlist dialog", [&] { Command(IDM_PLAYLIST_VIEW); }},
            {"About box", [&] { Command(IDM_ABOUT); }},
            {"file chooser", [&] { Command(IDM_SELECT_MEDIA); }},
            {"message box",
             [&] {
        const HandlerScope inACommand;
        LoadPlaylistFile(window_, unreadable);
             }},
    };
    for (const auto& [name, open] : openers) {
        SCOPED_TRACE(name);
        ReplacePlaylist(freshPlaylist());
        WhenDialogUp(window_, inside);
        open();
    }
    SCOPED_TRACE("tray menu");
    ReplacePlaylist(freshPlaylist());
    WhenMenuUp([&] { inside(nullptr); });
    Tray(WM_RBUTTONUP);
}

namespace {

void CALLBACK CloseASecondPlaylistDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (ShownWindowsTitled("Pipit Playlist") > 1) {
        ADD_FAILURE() << "a second Playlist dialog opened";
        EndDialog(GetActiveWindow(), IDCANCEL);
    }
}

}  // namespace

// There is one Playlist dialog, and it shows the playlist as it is: replaced by chosen files,
// added to by a hand-over, edited, or moved on to another current entry behind it.
TEST_F(Dialogs, TheOneOpenPlaylistDialogAlwaysShowsThePlaylist) {
    const std::string a = Wav("a.wav"), b = Wav("b.wav"), c = Wav("c.wav");
    g_playlist->Add(a);
    WhenDialogUp(window_, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_PLAYLIST);
        // A second View brings this one forward; one that opened a second dialog is closed here.
        const UINT_PTR closeASecond = SetTimer(nullptr, 0, 20, CloseASecondPlaylistDialog);
        Command(IDM_PLAYLIST_VIEW);
        KillTimer(nullptr, closeASecond);
        EXPECT_EQ(ShownWindowsTitled("Pipit Playlist"), 1);

        std::string chosen = media_.Path() + '\0' + "b.wav" + '\0' + "c.wav" + '\0' + '\0';
        TakeChosenMediaFiles(window_, chosen.c_str(), static_cast<WORD>(media_.Path().size() + 1));
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"b.wav", "c.wav"})) << "chosen files";
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(g_playlist->CurrentPath(), c) << "the row shown is the entry played";

        OpenPaths(window_, {a});  // a hand-over in the same group as nothing: it replaces
        ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 5000));
        EXPECT_EQ(ListItems(list), std::vector<std::string>{"a.wav"}) << "a hand-over";
        g_playlist->Add(b);  // behind the dialog, outside any message
        Command(IDM_NEXT);
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"a.wav", "b.wav"}));
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "the new current entry is selected";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_PLAYLIST_VIEW);
    Command(IDM_STOP);
}

// Without a row chosen, a double-click (on the list's empty part) and Enter choose nothing: what
// plays goes on, and the current entry stays.
TEST_F(Dialogs, ADoubleClickOrEnterWithNoRowChosenDoesNothing) {
    for (const char* name : {"1.wav", "2.wav"}) g_playlist->Add(Wav(name));
    g_playlist->SetCurrent(2);
    Command(IDM_PLAY);
    Playlist([&](HWND dialog, HWND list) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(g_playlist->Current(), 2);
        EXPECT_EQ(Playback(), PlaybackState::Playing);
        ClickButton(dialog, IDCANCEL);
    });
    Command(IDM_STOP);
}

// Entries appended behind the dialog (a drop searched on its own thread, a hand-over) leave the
// row the user chose selected, so that Delete takes out that row and not the entry that plays.
TEST_F(Dialogs, AppendsLeaveTheUsersChoiceAndOnlyANewCurrentEntryMovesIt) {
    for (const char* name : {"1.wav", "2.wav", "3.wav"}) g_playlist->Add(Wav(name, 30000));
    g_playlist->SetCurrent(2);
    Command(IDM_PLAY);
    TempFolder drop;
    for (int i = 0; i < 2000; ++i) {
        std::string name = "f";  // built in steps: GCC sees a false overlap in "f" + ...
        name += std::to_string(i);
        WriteBytes(drop / (name + ".wav"), "x");
    }
    Playlist([&](HWND dialog, HWND list) {
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        Drop(dialog, {drop.Path()});
        EXPECT_EQ(ListItems(list).size(), 2003u);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the drop moved the user's choice";
        SetFocus(list);
        PostMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
        PumpUntil([&] { return g_playlist->GetCount() == 2002; }, 5000);
        EXPECT_EQ(g_playlist->CurrentPath(), media_ / "2.wav");
        EXPECT_EQ(Playback(), PlaybackState::Playing) << "Delete took out the entry that plays";
        SendMessageA(list, LB_SETCURSEL, 5, 0);
        Command(IDM_NEXT);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "a new current entry is selected";
        ClickButton(dialog, IDCANCEL);
    });
    Command(IDM_STOP);
}

// Files dropped without a folder among them are looked at on the search's own thread too, as a
// folder is: a drop of files from a share that is slow to answer holds the dialog and the tray up
// no more than a drop of folders does.
TEST_F(Dialogs, FilesDroppedWithoutAFolderAreLookedAtOffTheInterfaceThread) {
    const std::string a = Wav("a.wav"), b = Wav("b.wav");
    Playlist([&](HWND dialog, HWND list) {
        SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a, media_ / "notes.txt", b})), 0);
        EXPECT_TRUE(PathSearchesUnderWay()) << "looked at on the interface thread";
        ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 10000));
        EXPECT_EQ(ListItems(list), (std::vector<std::string>{"a.wav", "b.wav"}));
        ClickButton(dialog, IDCANCEL);
    });
}

namespace {

// Keys pressed as a keyboard presses them: each one down, then up, in order, through the system's
// input queue to the window that has the keyboard.
void Type(const std::vector<std::pair<WORD, bool>>& strokes) {
    std::vector<INPUT> inputs;
    for (const auto& [key, down] : strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) |
                           (key == VK_UP || key == VK_DOWN || key == VK_DELETE ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

WNDPROC g_dialogProcedure = nullptr;
int g_keyMenus = 0;
int g_keyMenusExpected = 0;

// Ends a menu that a key opened where none was expected, so that the test fails instead of waiting
// in the menu's loop.
void CALLBACK EndUnexpectedMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (g_keyMenus > g_keyMenusExpected) EndMenu();
}

LRESULT CALLBACK CountKeyMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) ++g_keyMenus;
    return CallWindowProcA(g_dialogProcedure, window, message, wParam, lParam);
}

}  // namespace

// Alt + Up moves the entry and leaves the dialog in no menu mode: a Delete pressed next takes the
// moved entry out, and Close ends the dialog. Alt pressed and let go alone opens the system menu,
// as in every dialog.
TEST_F(Dialogs, AfterAltAndAnArrowTheNextKeyActsOnTheList) {
    for (const char* name : {"1.wav", "2.wav", "3.wav", "4.wav"}) g_playlist->Add(Wav(name));
    const INT_PTR result = Playlist([&](HWND dialog, HWND list) {
        SetForegroundWindow(dialog);
        SetFocus(list);
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        g_keyMenus = g_keyMenusExpected = 0;
        const UINT_PTR guard = SetTimer(nullptr, 0, 50, EndUnexpectedMenu);
        g_dialogProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountKeyMenus)));
        // Up let go before Alt, then Alt before Down: either way round.
        Type({{VK_MENU, true}, {VK_UP, true}, {VK_UP, false}, {VK_MENU, false}, {VK_DELETE, true}, {VK_DELETE, false}});
        EXPECT_TRUE(PumpUntil([] { return g_playlist->GetCount() == 3; }, 5000)) << "Delete did not reach the list";
        EXPECT_EQ(NamesOf(PathsOf(*g_playlist)), (std::vector<std::string>{"1.wav", "3.wav", "4.wav"}));
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        Type({{VK_MENU, true},
              {VK_DOWN, true},
              {VK_MENU, false},
              {VK_DOWN, false},
              {VK_DELETE, true},
              {VK_DELETE, false}});
        EXPECT_TRUE(PumpUntil([] { return g_playlist->GetCount() == 2; }, 5000)) << "Delete did not reach the list";
        EXPECT_EQ(NamesOf(PathsOf(*g_playlist)), (std::vector<std::string>{"3.wav", "4.wav"}));
        EXPECT_EQ(g_keyMenus, 0);
        // Esc is typed with it: the menu, in its own loop, takes it and ends.
        g_keyMenusExpected = 1;
        Type({{VK_MENU, true}, {VK_MENU, false}, {VK_ESCAPE, true}, {VK_ESCAPE, false}});
        EXPECT_TRUE(PumpUntil([] { return g_keyMenus == 1; }, 5000)) << "Alt alone opened no menu";
        KillTimer(nullptr, guard);
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

namespace {

// Dispatches this thread's messages as the dialog's own loop does, with the dialog manager's keys
// (Tab, Enter, Esc) going to it, until the condition holds or the time runs out.
bool PumpDialogUntil(HWND dialog, const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        if (GetTickCount() - start > timeoutMs) return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

}  // namespace

// The dialog from the keyboard alone: the list has the keyboard from the start, its current entry
// chosen; the arrows choose another and Enter plays it, as a double-click does; Tab goes round every
// control; Esc closes.
TEST_F(Dialogs, ThePlaylistDialogAnswersTheKeyboardAlone) {
    for (const char* name : {"1.wav", "2.wav", "3.wav"}) g_playlist->Add(Wav(name, 30000));
    g_playlist->SetCurrent(2);
    const INT_PTR result = Playlist([&](HWND dialog, HWND list) {
        ASSERT_EQ(GetFocus(), list);
        SetForegroundWindow(dialog);
        SetFocus(list);  // the keys typed go to the window the input queue's focus names
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
        Type({{VK_DOWN, true}, {VK_DOWN, false}, {VK_RETURN, true}, {VK_RETURN, false}});
        EXPECT_TRUE(PumpDialogUntil(
            dialog, [] { return Playback() == PlaybackState::Playing; }, 5000))
            << "Enter played nothing";
        EXPECT_EQ(g_playlist->Current(), 3);
        std::vector<HWND> reached;
        for (int tab = 0; tab < 3; ++tab) {
            Type({{VK_TAB, true}, {VK_TAB, false}});
            PumpDialogUntil(
                dialog, [&] { return GetFocus() != (reached.empty() ? list : reached.back()); }, 5000);
            reached.push_back(GetFocus());
        }
        EXPECT_EQ(reached, (std::vector<HWND>{GetDlgItem(dialog, IDC_CLEAR), GetDlgItem(dialog, IDCANCEL), list}));
        Type({{VK_ESCAPE, true}, {VK_ESCAPE, false}});
    });
    EXPECT_EQ(result, IDCANCEL);
    Command(IDM_STOP);
}
