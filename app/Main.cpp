#include <windows.h>

#include <cstdlib>

#include "app/CommandLine.h"
#include "app/OpenedPaths.h"
#include "app/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::vector<std::string> paths = PathsFromCommandLine(__argc, __argv);
    if (paths.empty()) {
        if (!StartUp(instance)) {
            return 0;
        }
        return RunMessageLoop();
    }
    HWND window = nullptr;
    {
        const StartUpLock lock;
        // A Pipit that runs already plays them; this copy ends without an icon or a hotkey.
        if (HandToRunningCopy(instance, paths)) {
            return 0;
        }
        window = StartUp(instance);
    }
    if (!window) {
        return 0;
    }
    OpenPaths(window, paths);
    return RunMessageLoop();
}
