// Owning wrappers for Win32 resources: one alias per resource kind, all
// built on one move-only template, plus a scope guard for one-off cleanups.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <utility>

namespace kv::win {

// Owns a value described by Traits (Type, Invalid(), Close()) and releases
// it when it is not the invalid value.
template <typename Traits>
class UniqueResource {
public:
    using T = typename Traits::Type;

    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { reset(); }

    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    T get() const { return value_; }
    bool valid() const { return value_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    T release() { return std::exchange(value_, Traits::Invalid()); }
    void reset(T value = Traits::Invalid()) {
        const T old = std::exchange(value_, value);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // For APIs that fill an out-parameter; releases what was held first.
    T* put() {
        reset();
        return &value_;
    }

private:
    T value_ = Traits::Invalid();
};

namespace detail {
template <typename H, BOOL(WINAPI* CloseFn)(H)>
struct NullTraits {
    using Type = H;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseFn(h); }
};
template <BOOL(WINAPI* CloseFn)(HANDLE)>
struct InvalidValueTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseFn(h); }
};
template <typename G>
struct GdiTraits {
    using Type = G;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
struct CoTaskMemTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { ::CoTaskMemFree(p); }
};
struct GlobalTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
}  // namespace detail

// Handles from CreateFile and FindFirstFile use INVALID_HANDLE_VALUE, most
// others null.
using UniqueHandle = UniqueResource<detail::NullTraits<HANDLE, ::CloseHandle>>;
using UniqueFileHandle = UniqueResource<detail::InvalidValueTraits<::CloseHandle>>;
using UniqueFindHandle = UniqueResource<detail::InvalidValueTraits<::FindClose>>;
using UniqueGlobal = UniqueResource<detail::GlobalTraits>;
using UniqueGdiObject = UniqueResource<detail::NullTraits<HGDIOBJ, ::DeleteObject>>;
using UniqueRegion = UniqueResource<detail::GdiTraits<HRGN>>;
using UniqueBitmap = UniqueResource<detail::GdiTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueResource<detail::MemoryDcTraits>;  // from CreateCompatibleDC
using UniqueWindow = UniqueResource<detail::NullTraits<HWND, ::DestroyWindow>>;
using UniqueIcon = UniqueResource<detail::NullTraits<HICON, ::DestroyIcon>>;  // not shared icons
using UniqueModule = UniqueResource<detail::NullTraits<HMODULE, ::FreeLibrary>>;
// Memory the shell hands out with the COM allocator (item ID lists).
using UniqueCoTaskMem = UniqueResource<detail::CoTaskMemTraits>;
using UniqueHook = UniqueResource<detail::NullTraits<HHOOK, ::UnhookWindowsHookEx>>;
using UniqueMemoryDC = UniqueResource<detail::NullTraits<HDC, ::DeleteDC>>;

// A device context borrowed from a window (the screen for a null window)
// with GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Owns one reference to a COM interface.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(I* p) : p_(p) {}  // adopts the reference
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I** put() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    I* p_ = nullptr;
};

// Selects a GDI object into a device context for the scope.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectObjectScope() {
        if (old_ != nullptr && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Runs a callable when the scope ends, unless dismissed.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (armed_) f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    void dismiss() { armed_ = false; }

private:
    F f_;
    bool armed_ = true;
};

}  // namespace kv::win
