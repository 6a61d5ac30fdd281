#include "common/Platform.h"

#include <windows.h>

bool RunningOnWine() {
    // Wine's ntdll has an export of its own that Windows' has not.
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}
