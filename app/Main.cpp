#include <windows.h>

#include "app/HandOver.h"
#include "app/OpenedPaths.h"
#include "app/Session.h"
#include "app/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadTitles(instance);
    const std::vector<std::string> paths = PathsFromCommandLine(__argc, __argv);
    HWND window = nullptr;
    bool refused = false;
    {
        const StartUpLock lock;
        // One player, one icon: a copy started while the player runs hands its paths over and ends.
        if (HWND player = FindRunningPlayer()) {
            refused = !paths.empty() && !HandOverPaths(player, paths);
        } else {
            window = StartUp(instance);
        }
    }
    if (refused) {
        ShowHandOverRefused();  // the other copies are not held up meanwhile
    }
    if (!window) {
        return 0;
    }
    // Paths given win over the session kept from the last run.
    StartSession(window, paths.empty());
    if (!paths.empty()) {
        OpenPaths(window, paths);
    }
    return RunMessageLoop();
}
