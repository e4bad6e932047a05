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

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueFile = Unique<FileHandleTraits>;
using UniqueFind = Unique<FindHandleTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueHook = Unique<HookTraits>;
template <typename Object>
using UniqueGdi = Unique<GdiObjectTraits<Object>>;
