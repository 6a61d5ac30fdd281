#include <windows.h>

#include <cstdlib>

#include "app/HandOver.h"
#include "app/OpenedPaths.h"
#include "app/Session.h"
#include "app/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadTitles(instance);
    const std::vector<std::string> paths = PathsFromCommandLine(__argc, __argv);
    HWND window = nullptr;
    HWND player = nullptr;
    bool refused = false;
    {
        const StartUpLock lock;
        // One player, one icon: a copy started while the player runs hands its paths over and ends.
        player = FindRunningPlayer();
        if (player) {
            refused = !paths.empty() && !HandOverPaths(player, paths);
        } else {
            window = StartUp(instance);
        }
    }
    if (refused) {
        ShowHandOverRefused();  // the other copies are not held up meanwhile
        return EXIT_FAILURE;
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
    return RunMessageLoop();
}
