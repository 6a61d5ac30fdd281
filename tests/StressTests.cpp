// Thousands of random commands, tray clicks, hotkeys and drops against the real main window, with
// the notices that real 50 ms WAV files produce in between. After every step the player's state
// must agree with what MCI is doing.
#include "tests/ShellTestSupport.h"
#include "tests/TestSupport.h"

#include <mmsystem.h>

#include <random>

#include "app/Playing.h"
#include "dialogs/FileChoosers.h"
#include "resources/resource.h"

using namespace shell_test;

namespace {

bool CurrentDevicePlays() {
    const PlaylistEntry* entry = g_playlist->Head();
    for (int i = 1; entry && i < g_playlist->Current(); ++i) entry = entry->next;
    if (!entry || g_playlist->Current() < 1 || entry->deviceId == 0) return false;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(entry->deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&status))) {
        return false;
    }
    return status.dwReturn == MCI_MODE_PLAY;
}

// A play can end between two looks; its notice then settles the flag within a moment.
bool PlayingAgreesWithMci() {
    return PumpUntil([] { return (Playback() == PlaybackState::Playing) == CurrentDevicePlays(); }, 2000);
}

}  // namespace

TEST_F(ShellTest, RandomCommandsKeepThePlayerConsistentWithMci) {
    TempFolder media;
    std::vector<std::string> files;
    // The last is never written: the player passes it over wherever it comes.
    for (int i = 0; i < 6; ++i) {
        std::string name = "s";
        name += std::to_string(i);
        files.push_back(media / (name + ".wav"));
        if (i < 5) WriteWav(files.back(), 50);
    }
    std::mt19937 random(42);
    auto pick = [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); };
    for (int i = 0; i < 3; ++i) g_playlist->Add(files[i]);

    const char* const kSteps[] = {"play", "stop",  "next", "previous", "left click",
                                  "loop", "clear", "drop", "hotkey",   "wait"};
    for (int step = 0; step < 2000; ++step) {
        const int kind = pick(10);
        switch (kind) {
            case 0: Command(IDM_PLAY); break;
            case 1: Command(IDM_STOP); break;
            case 2: Command(IDM_NEXT); break;
            case 3: Command(IDM_PREV); break;
            case 4: Tray(WM_LBUTTONUP); break;
            case 5: Command(IDM_LOOP); break;
            case 6:
                if (pick(4) == 0) ClearPlaylist();
                break;
            case 7:
                for (int n = pick(3) + 1; n > 0; --n) g_playlist->Add(files[pick(6)]);
                break;
            case 8: Hotkey(pick(4)); break;
            default: PumpFor(pick(80)); break;
        }
        PumpFor(0);
        SCOPED_TRACE(testing::Message() << "step " << step << ": " << kSteps[kind]);
        // The one that plays, the next one opened ahead, and an ended one for a moment.
        ASSERT_LE(OpenMciDeviceCount(), 3);
        ASSERT_GE(g_playlist->Current(), 0);
        ASSERT_LE(g_playlist->Current(), g_playlist->GetCount());
        ASSERT_TRUE(PlayingAgreesWithMci()) << "playback is " << static_cast<int>(Playback());
    }
    Command(IDM_EXIT);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}
