// Small owners of the program's handles: each releases what it holds when it goes out of scope,
// on every path. One wrapper per kind of handle; none of them can be copied, and a moved one holds
// nothing. A header alone: only LocalMemory needs the program's Memory.cpp, so the stand-in library
// and its tools use the others without linking the program.
#ifndef RP_BASE_SCOPEDHANDLES_H
#define RP_BASE_SCOPEDHANDLES_H

#include <windows.h>

#include "base/Memory.h"

// Owns one handle and releases it with `Release` when it goes (a null handle is not released).
template <class Handle, class Release>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Detach()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    Handle Get() const { return handle_; }
    // For a call that hands a new handle back through a pointer; what was held is released first.
    Handle* Receive() {
        Reset();
        return &handle_;
    }
    // Releases what is held and holds `handle` instead.
    void Reset(Handle handle = nullptr) {
        if (handle_) Release{}(handle_);
        handle_ = handle;
    }
    // Hands the handle over to the caller, who releases it from now on.
    Handle Detach() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_ = nullptr;
};

struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FreeLibraryModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct ReleaseLocalMemory {
    void operator()(void* block) const { ReleaseMemory(block); }
};
struct FreeGlobalMemory {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct CloseFileSearch {
    void operator()(HANDLE search) const { FindClose(search); }
};

// A registry key from RegOpenKeyExA.
using RegistryKey = ScopedHandle<HKEY, CloseRegistryKey>;
// A kernel object's handle (file mapping, event, mutex, thread); null means none. It holds what the
// calls that fail with null return; a file handle of CreateFileA, whose failure is
// INVALID_HANDLE_VALUE, is checked before it is held.
using KernelHandle = ScopedHandle<HANDLE, CloseKernelHandle>;
// A library module from LoadLibraryA.
using LibraryModule = ScopedHandle<HMODULE, FreeLibraryModule>;
// A block of the program's local memory (AllocateZeroed, DuplicateString).
using LocalMemory = ScopedHandle<void*, ReleaseLocalMemory>;
// A block from GlobalAlloc.
using GlobalMemory = ScopedHandle<HGLOBAL, FreeGlobalMemory>;
// A memory device context from CreateCompatibleDC.
using MemoryDc = ScopedHandle<HDC, DeleteMemoryDc>;
// A GDI object (bitmap, brush, font) that its creator owns.
template <class Handle>
using GdiObject = ScopedHandle<Handle, DeleteGdiObject>;
// An icon from LoadImageA without LR_SHARED.
using IconHandle = ScopedHandle<HICON, DestroyIconHandle>;

// A file search from FindFirstFileA, whose failure (INVALID_HANDLE_VALUE) is checked before it is
// held.
using FileSearch = ScopedHandle<HANDLE, CloseFileSearch>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back; a null object selects
// nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

#endif
