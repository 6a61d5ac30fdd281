#pragma once

#include <windows.h>

// A function of a library of the system, which is loaded the first time one of its functions is
// asked for and then kept for the rest of the process; null when the library or the function is
// missing. Libraries that only some commands need (the file dialogs, MCI) are not mapped at
// start-up this way: the player then starts as quickly as a tray program that has none.
FARPROC SystemProcedure(const char* library, const char* name);

template <typename Function>
Function* SystemFunction(const char* library, const char* name) {
    // Through the generic function type, which every function pointer type converts from and to.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemProcedure(library, name)));
}

// The same, looked up at its first use and kept; a look-up that failed (memory short for a moment)
// is tried again at the next. Held in a static variable of the one routine that calls it.
template <typename Function>
class LateBound {
public:
    LateBound(const char* library, const char* name) : library_(library), name_(name) {}
    Function* Get() {
        if (!function_) {
            function_ = SystemFunction<Function>(library_, name_);
        }
        return function_;
    }

private:
    const char* library_;
    const char* name_;
    Function* function_ = nullptr;
};
