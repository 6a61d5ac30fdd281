#pragma once

// Small guards for what a routine takes from the platform: each releases its handle on every path
// out of the routine. Used by the program and its tests alike.

#include <windows.h>

#include <shellapi.h>

#include "common/NotCopied.h"

// The value that means "none": null for most handles, INVALID_HANDLE_VALUE for files and searches.
enum class NoHandleIs { Null, InvalidHandleValue };

// A handle, released by the given call unless it holds none.
template <typename Handle, void (*Release)(Handle), NoHandleIs kNone = NoHandleIs::Null>
class ScopedHandle : NotCopied {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (Valid()) Release(handle_);
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != None(); }
    // Where a platform call that hands out the handle may put it; the guard must hold none yet.
    Handle* Receive() { return &handle_; }
    // Gives the handle up without releasing it.
    Handle Take() {
        Handle handle = handle_;
        handle_ = None();
        return handle;
    }

private:
    static Handle None() {
        return kNone == NoHandleIs::Null ? Handle{} : reinterpret_cast<Handle>(INVALID_HANDLE_VALUE);
    }

    Handle handle_ = None();
};

// The platform's release calls, as plain functions a template can name.
namespace release {
inline void CloseFile(HANDLE handle) { CloseHandle(handle); }
inline void CloseObject(HANDLE handle) { CloseHandle(handle); }
inline void CloseSearch(HANDLE handle) { FindClose(handle); }
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void FinishDrop(HDROP drop) { DragFinish(drop); }
inline void FreeLoaded(HMODULE module) { FreeLibrary(module); }
}  // namespace release

using ScopedFile = ScopedHandle<HANDLE, release::CloseFile, NoHandleIs::InvalidHandleValue>;  // CreateFileA
using ScopedEvent = ScopedHandle<HANDLE, release::CloseObject>;  // CreateEventA, CreateMutexA
using ScopedFind = ScopedHandle<HANDLE, release::CloseSearch, NoHandleIs::InvalidHandleValue>;  // FindFirstFileA
using ScopedRegKey = ScopedHandle<HKEY, release::CloseKey>;        // RegOpenKeyExA, RegCreateKeyA
using ScopedDrop = ScopedHandle<HDROP, release::FinishDrop>;       // the HDROP of WM_DROPFILES
using ScopedLibrary = ScopedHandle<HMODULE, release::FreeLoaded>;  // LoadLibraryA

// A window's device context, released when the guard goes.
class ScopedWindowDC : NotCopied {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the one it replaced is selected back when the guard goes.
class ScopedSelectObject : NotCopied {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelectObject() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
