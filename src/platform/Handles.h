#pragma once
// Small owning wrappers, one per kind of system handle. Move-only; the destructor frees the handle.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

template <typename H, typename Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.h_, Traits::invalid()));
        }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) {
            Traits::close(h_);
        }
        h_ = h;
    }

  private:
    H h_ = Traits::invalid();
};

template <typename H> struct GdiTraits {
    static H invalid() { return nullptr; }
    static void close(H h) { DeleteObject(h); }
};
struct IconTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON h) { DestroyIcon(h); }
};
struct ImageListTraits {
    static HIMAGELIST invalid() { return nullptr; }
    static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct MenuTraits {
    static HMENU invalid() { return nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};
struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct HookTraits {
    static HHOOK invalid() { return nullptr; }
    static void close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct AccelTraits {
    static HACCEL invalid() { return nullptr; }
    static void close(HACCEL h) { DestroyAcceleratorTable(h); }
};

using unique_hfont = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using unique_hbrush = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using unique_hbitmap = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using unique_hicon = UniqueHandle<HICON, IconTraits>;
using unique_himagelist = UniqueHandle<HIMAGELIST, ImageListTraits>;
using unique_hmenu = UniqueHandle<HMENU, MenuTraits>;
using unique_hfile = UniqueHandle<HANDLE, FileHandleTraits>;
using unique_handle = UniqueHandle<HANDLE, KernelHandleTraits>;
using unique_hhook = UniqueHandle<HHOOK, HookTraits>;
using unique_haccel = UniqueHandle<HACCEL, AccelTraits>;

// A device context obtained with GetDC, released for the same window.
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// The device context of a WM_PAINT: BeginPaint at construction, EndPaint at destruction.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A memory device context compatible with another, deleted at destruction.
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class SelectObjectGuard {
  public:
    SelectObjectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectObjectGuard() { SelectObject(dc_, old_); }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// COM for the user-interface thread, as a single-threaded apartment.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

// The minimal COM pointer: releases what it holds.
template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) {
            p_->Release();
            p_ = nullptr;
        }
    }

  private:
    T* p_ = nullptr;
};
