#pragma once

// Small guards for what a routine takes from the platform: each releases its handle on every path
// out of the routine. Used by the program and its tests alike.

#include <windows.h>

#include <shellapi.h>

// A handle with one way to be released and one value that means "none".
template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (Valid()) Traits::Release(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::None(); }
    // Where a platform call that hands out the handle may put it; the guard must hold none yet.
    Handle* Receive() { return &handle_; }
    // Gives the handle up without releasing it.
    Handle Take() {
        Handle handle = handle_;
        handle_ = Traits::None();
        return handle;
    }

private:
    Handle handle_ = Traits::None();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseHandle(handle); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { FindClose(handle); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { RegCloseKey(handle); }
};
struct DropTraits {
    using Handle = HDROP;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { DragFinish(handle); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { FreeLibrary(handle); }
};

using ScopedFile = ScopedHandle<FileHandleTraits>;  // CreateFileA
using ScopedFind = ScopedHandle<FindHandleTraits>;  // FindFirstFileA
using ScopedRegKey = ScopedHandle<RegKeyTraits>;    // RegOpenKeyExA, RegCreateKeyA
using ScopedDrop = ScopedHandle<DropTraits>;        // the HDROP of WM_DROPFILES
using ScopedLibrary = ScopedHandle<ModuleTraits>;   // LoadLibraryA

// A window's device context, released when the guard goes.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the one it replaced is selected back when the guard goes.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelectObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
