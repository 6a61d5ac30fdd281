#include <windows.h>

#include "app/StartUp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!StartUp(instance)) {
        return 0;
    }
    return RunMessageLoop();
}
