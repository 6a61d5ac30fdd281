#include <windows.h>

#include <cstdlib>

#include "app/HandOver.h"
#include "app/PathsToPlaylist.h"
#include "app/Session.h"
#include "app/StartUp.h"
#include "playback/PathSearch.h"

namespace {

// How long the end of the player waits for a folder search to stop.
constexpr DWORD kSearchStopMs = 1000;

// The exit codes of a copy that handed its paths to the running player: none of them taken (as for
// a copy that could not start at all), or only the first of them.
constexpr int kNoneTaken = EXIT_FAILURE;
constexpr int kTakenInPart = 2;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadTitles(instance);
    const std::vector<std::string> paths = PathsFromCommandLine(__argc, __argv);
    HWND window = nullptr;
    HWND player = nullptr;
    HandedOver handedOver;
    {
        const StartUpLock lock;
        // One player, one icon: a copy started while the player runs hands its paths over and ends.
        player = FindRunningPlayer();
        if (player) {
            handedOver = HandOverPaths(player, paths);
        } else {
            window = StartUp(instance);
        }
    }
    if (!handedOver.All()) {
        // Shown once the other copies are no longer held up.
        ShowHandOverRefused(HandOverRefusedText(handedOver, paths));
        return handedOver.taken == 0 ? kNoneTaken : kTakenInPart;
    }
    if (!window) {
        // A copy that handed its paths over, or had none to give, has done its part; one that found
        // no player and could not become one (no window, as on a machine without a desktop) failed.
        return player ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    // Paths given win over the session kept from the last run.
    StartSession(window, paths.empty());
    if (!paths.empty()) {
        OpenPaths(window, paths);
    }
    const int code = RunMessageLoop();
    // The player ends as soon as its window has: a folder search still under way stops at its next
    // file. One that does not stop in time (a network that does not answer) is ended with the
    // process at once, before anything else of the process is taken down under it.
    if (!PathSearchesStopWithin(kSearchStopMs)) {
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    }
    return code;
}
