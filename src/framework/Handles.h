#pragma once

#include <windows.h>

// One owner per handle. Copying is deleted so a GDI object can never be deleted
// twice; moving hands the handle over and leaves the source empty.
template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle) noexcept
        : m_handle(handle)
    {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(other.release())
    {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    pointer get() const noexcept { return m_handle; }

    // Gives the handle away, for instance to SetWindowRgn, which takes ownership.
    pointer release() noexcept
    {
        pointer handle = m_handle;
        m_handle = pointer();
        return handle;
    }

    void reset(pointer handle = pointer()) noexcept
    {
        pointer old = m_handle;
        m_handle = handle;
        if (Traits::IsValid(old) && old != handle)
            Traits::Close(old);
    }

    explicit operator bool() const noexcept { return Traits::IsValid(m_handle); }

protected:
    // Where a call that hands back a new handle writes it.
    pointer* address() noexcept { return &m_handle; }

private:
    pointer m_handle = pointer();
};

template <typename T>
struct GdiObjectTraits {
    using pointer = T;
    static bool IsValid(T handle) { return handle != nullptr; }
    static void Close(T handle) { ::DeleteObject(handle); }
};

struct MemoryDCTraits {
    using pointer = HDC;
    static bool IsValid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { ::DeleteDC(dc); }
};

struct MenuTraits {
    using pointer = HMENU;
    static bool IsValid(HMENU menu) { return menu != nullptr; }
    static void Close(HMENU menu) { ::DestroyMenu(menu); }
};

// Kernel calls report failure with NULL (CreateThread, CreateMutex) or with
// INVALID_HANDLE_VALUE (CreateFile); neither is closed.
struct KernelHandleTraits {
    using pointer = HANDLE;
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

// A library loaded with LoadLibrary; each owner holds one of the system's
// references, so two owners of the same library never unload it under each other.
struct ModuleTraits {
    using pointer = HMODULE;
    static bool IsValid(HMODULE module) { return module != nullptr; }
    static void Close(HMODULE module) { ::FreeLibrary(module); }
};

// A search from FindFirstFile: closed with FindClose, never CloseHandle.
struct FindTraits {
    using pointer = HANDLE;
    static bool IsValid(HANDLE search) { return search != INVALID_HANDLE_VALUE && search != nullptr; }
    static void Close(HANDLE search) { ::FindClose(search); }
};

// A view from MapViewOfFile.
struct MappedViewTraits {
    using pointer = const void*;
    static bool IsValid(const void* view) { return view != nullptr; }
    static void Close(const void* view) { ::UnmapViewOfFile(view); }
};

struct RegistryKeyTraits {
    using pointer = HKEY;
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { ::RegCloseKey(key); }
};

// A window nobody else destroys, such as a hidden helper window. Windows that
// have an object of their own are destroyed by that object (CWnd).
struct WindowTraits {
    using pointer = HWND;
    static bool IsValid(HWND window) { return window != nullptr; }
    static void Close(HWND window) { ::DestroyWindow(window); }
};

// An icon made by LoadImage without LR_SHARED (shared icons are never destroyed).
struct IconTraits {
    using pointer = HICON;
    static bool IsValid(HICON icon) { return icon != nullptr; }
    static void Close(HICON icon) { ::DestroyIcon(icon); }
};

using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using GdiRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using GdiFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using GdiBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using GdiPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using MappedView = UniqueHandle<MappedViewTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using IconHandle = UniqueHandle<IconTraits>;

// BeginPaint/EndPaint for the length of a WM_PAINT handler.
class PaintScope {
public:
    explicit PaintScope(HWND window)
        : m_window(window)
    {
        m_dc = ::BeginPaint(window, &m_paint);
    }
    ~PaintScope() { ::EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return m_dc; }
    const PAINTSTRUCT& paint() const { return m_paint; }

private:
    HWND m_window;
    HDC m_dc;
    PAINTSTRUCT m_paint{};
};

// A DC borrowed from a window must go back to that same window: the client
// area's, or with WholeWindow the whole window's, frame included.
template <bool WholeWindow>
class BorrowedDC {
public:
    explicit BorrowedDC(HWND window)
        : m_window(window)
        , m_dc(WholeWindow ? ::GetWindowDC(window) : ::GetDC(window))
    {}
    ~BorrowedDC()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    BorrowedDC(const BorrowedDC&) = delete;
    BorrowedDC& operator=(const BorrowedDC&) = delete;

    HDC dc() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};
using ClientDCScope = BorrowedDC<false>;
using WindowDCScope = BorrowedDC<true>;

// Selects an object and puts back, into the same DC, whatever it replaced, so
// the owner of the selected object can delete it afterwards. Selecting a region
// copies it into the clip region and returns a complexity code, not an object:
// there is nothing to put back then.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_previous(::SelectObject(dc, object))
    {
        if (::GetObjectType(object) == OBJ_REGION)
            m_previous = nullptr;
    }
    ~SelectScope()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

    HGDIOBJ previous() const { return m_previous; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
