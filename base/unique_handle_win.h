#pragma once

#include <windows.h>

#include <utility>

// Owns one Windows resource and releases it exactly once. Traits say what the
// resource is, which value means "none" and how it is released:
//   struct Traits { using Type = ...; static Type None(); static void Release(Type); };
template <typename Traits>
class Unique {
public:
    using Type = typename Traits::Type;

    Unique() noexcept = default;
    explicit Unique(Type value) noexcept : value_(value) {}
    Unique(Unique&& other) noexcept : value_(other.Detach()) {}
    Unique& operator=(Unique&& other) noexcept
    {
        Reset(other.Detach());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Type Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::None(); }

    // Releases what is held and hands out the slot, for functions that fill
    // a pointer to a handle.
    Type* Receive() noexcept
    {
        Reset();
        return &value_;
    }

    Type Detach() noexcept { return std::exchange(value_, Traits::None()); }

    void Reset(Type value = Traits::None()) noexcept
    {
        Type old = std::exchange(value_, value);
        if (old != Traits::None())
            Traits::Release(old);
    }

private:
    Type value_ = Traits::None();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static void Release(Type h) { CloseHandle(h); }
};
// Files and a few others say "none" with INVALID_HANDLE_VALUE instead.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Release(Type h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Release(Type h) { FindClose(h); }
};
template <typename Object>
struct GdiObjectTraits {
    using Type = Object;
    static Type None() { return nullptr; }
    static void Release(Type h) { DeleteObject(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type None() { return nullptr; }
    static void Release(Type h) { DestroyIcon(h); }
};
struct HookTraits {
    using Type = HHOOK;
    static Type None() { return nullptr; }
    static void Release(Type h) { UnhookWindowsHookEx(h); }
};

// A DC of CreateCompatibleDC, released with DeleteDC rather than DeleteObject.
struct MemoryDcTraits {
    using Type = HDC;
    static Type None() { return nullptr; }
    static void Release(Type h) { DeleteDC(h); }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>;
using UniqueFile = Unique<FileHandleTraits>;
using UniqueFind = Unique<FindHandleTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueHook = Unique<HookTraits>;
template <typename Object>
using UniqueGdi = Unique<GdiObjectTraits<Object>>;

struct WindowTraits {
    using Type = HWND;
    static Type None() { return nullptr; }
    static void Release(Type h) { DestroyWindow(h); }
};
// A window that is torn down unless its builder hands it out with Detach().
using UniqueWindow = Unique<WindowTraits>;

// BeginPaint and EndPaint around one WM_PAINT; keeps the PAINTSTRUCT that
// EndPaint needs.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc()
    {
        if (dc_)
            EndPaint(window_, &paint_);
    }

    HDC Get() const noexcept { return dc_; }
    const PAINTSTRUCT& Paint() const noexcept { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// A DC from GetDC (client area) or GetWindowDC (whole window), given back to
// the window it came from. A null window means the screen.
class WindowDc {
public:
    enum Area { Client, Whole };
    explicit WindowDc(HWND window, Area area = Client) noexcept
        : window_(window), dc_(area == Whole ? GetWindowDC(window) : GetDC(window))
    {
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }

    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts back the one it replaced, so that
// the object can be deleted afterwards.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard()
    {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a DC's state (selected objects, clipping, colours, modes) and puts
// it back, for painting into a DC that belongs to someone else.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState()
    {
        if (saved_)
            RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};
