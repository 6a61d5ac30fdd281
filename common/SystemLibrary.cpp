#include "common/SystemLibrary.h"

FARPROC SystemProcedure(const char* library, const char* name) {
    // Only from the system folder, so that no file of the same name beside the program is loaded.
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
        module = LoadLibraryA(library);  // a Windows 7 without the update that knows the flag
    }
    return module ? GetProcAddress(module, name) : nullptr;
}
