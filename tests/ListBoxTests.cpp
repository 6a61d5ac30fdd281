#include "playback/DisplayName.h"
#include "playback/Playlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A real list box in a hidden window, subclassed to count the list box messages it is sent.
class ListBoxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        list_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY, 0, 0, 200, 200,
                                parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(list_, nullptr);
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
        SetPropA(list_, "counter", this);
    }
    void TearDown() override { DestroyWindow(parent_); }

    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(SendMessageA(list_, LB_GETTEXTLEN, i, 0), '\0');
            SendMessageA(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            items.push_back(text);
        }
        return items;
    }
    int Selection() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }

    static LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<ListBoxFixture*>(GetPropA(window, "counter"));
        if (self && (message == LB_ADDSTRING || message == LB_SETCURSEL)) {
            ++self->sent_;
        }
        return CallWindowProcA(self->original_, window, message, wParam, lParam);
    }

    HWND parent_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC original_ = nullptr;
    int sent_ = 0;
};

}  // namespace

TEST_F(ListBoxFixture, ListsFileNamesInOrderAndSelectsTheCurrentEntry) {
    Playlist playlist;
    playlist.Add("D:\\Music\\a.mp3");
    playlist.Add("b.wav");
    playlist.Add("C:\\x\\y\\Song Title.Mid");
    playlist.SetCurrent(2);
    playlist.FillListBox(list_);
    EXPECT_EQ(Items(), (std::vector<std::string>{"a.mp3", "b.wav", "Song Title.Mid"}));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(sent_, 4);

    // It only appends: a second fill without a reset doubles the list.
    playlist.SetCurrent(0);
    playlist.FillListBox(list_);
    EXPECT_EQ(Items().size(), 6u);
    EXPECT_EQ(Selection(), -1);
}

TEST_F(ListBoxFixture, EmptyPlaylistSendsNothing) {
    Playlist playlist;
    playlist.FillListBox(list_);
    EXPECT_EQ(sent_, 0);
    EXPECT_TRUE(Items().empty());
}

TEST(FileNameOffset, FindsTheLastBackslashByCharacter) {
    EXPECT_EQ(FileNameOffset("D:\\Music\\a.mp3", 1252), 9u);
    EXPECT_EQ(FileNameOffset("a.mp3", 1252), 0u);
    EXPECT_EQ(FileNameOffset("D:\\Music\\", 1252), 9u);
    // In code page 932 the character 0x95 0x5C ends in the byte of a backslash. The name after
    // "C:\" is the whole of it, not just ".mp3".
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C.mp3", 932), 3u);
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C\\\x95\x5C.mp3", 932), 6u);
    // The same bytes in a single-byte code page do hold a backslash.
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C.mp3", 1252), 5u);
}

// Names of fewer than MAX_PATH characters are listed whole, whatever their bytes; from MAX_PATH
// characters on, by their two ends.
TEST(ListedName, ShortensFromMaxPathCharactersOn) {
    std::string shortened;
    for (const auto& [character, codePage] : {std::pair<std::string, UINT>{"n", 1252}, {"\xe6\x97\xa5", CP_UTF8}}) {
        std::string below, at;
        for (int i = 0; i < MAX_PATH - 1; ++i) below += character;
        at = below + character;
        EXPECT_EQ(ListedName("C:\\" + below, codePage, shortened), below);
        const std::string path = "C:\\" + at;
        const std::string_view listed = ListedName(path, codePage, shortened);
        EXPECT_NE(listed, at);
        EXPECT_NE(listed.find("..."), std::string_view::npos);
        EXPECT_LT(listed.size(), at.size());
    }
}
