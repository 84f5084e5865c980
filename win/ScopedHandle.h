// The one owner of a Win32 handle: a move-only holder that closes what it holds, and a traits
// struct per kind of handle saying what "no handle" is and how one is closed.
#ifndef KORVELT_WIN_SCOPEDHANDLE_H
#define KORVELT_WIN_SCOPEDHANDLE_H

#include <windows.h>

#include <utility>

// TTraits gives Handle, Null(), IsValid(h) and Close(h); Close only ever sees a valid handle.
template <class TTraits>
class CScopedHandle
{
public:
    using Handle = typename TTraits::Handle;

    CScopedHandle() = default;
    explicit CScopedHandle(Handle h) : m_h(h) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(CScopedHandle&& other) noexcept : m_h(other.Take()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Take());
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    bool IsValid() const { return TTraits::IsValid(m_h); }
    Handle Get() const { return m_h; }
    // For a handle that a window, a menu or the caller now owns: it is no longer closed here.
    Handle Take() { return std::exchange(m_h, TTraits::Null()); }
    // Closes the handle held and holds h. Handing back the handle already held keeps it open:
    // closing it here would leave a dead handle to be closed a second time.
    void Reset(Handle h = TTraits::Null())
    {
        if (h == m_h)
            return;
        const Handle hOld = std::exchange(m_h, h);
        if (TTraits::IsValid(hOld))
            TTraits::Close(hOld);
    }

private:
    Handle m_h = TTraits::Null();
};

template <class THandle>
struct CNullHandleTraits
{
    using Handle = THandle;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
};

// CreateFile reports failure with INVALID_HANDLE_VALUE, most other kernel calls with NULL.
struct CKernelHandleTraits : CNullHandleTraits<HANDLE>
{
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

// FindFirstFile fails the way CreateFile does, but its handle is no kernel object.
struct CFindHandleTraits : CKernelHandleTraits
{
    static void Close(HANDLE h) { ::FindClose(h); }
};

struct CRegKeyTraits : CNullHandleTraits<HKEY>
{
    static void Close(HKEY h) { ::RegCloseKey(h); }
};

struct CGlobalTraits : CNullHandleTraits<HGLOBAL>
{
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};

template <class THandle>
struct CGdiObjectTraits : CNullHandleTraits<THandle>
{
    static void Close(THandle h) { ::DeleteObject(h); }
};

struct CMenuTraits : CNullHandleTraits<HMENU>
{
    static void Close(HMENU h) { ::DestroyMenu(h); }
};

// A DC of CreateCompatibleDC; one of GetDC or BeginPaint is given back by its own guard.
struct CMemoryDCTraits : CNullHandleTraits<HDC>
{
    static void Close(HDC h) { ::DeleteDC(h); }
};

struct CLibraryTraits : CNullHandleTraits<HMODULE>
{
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};

struct CHookTraits : CNullHandleTraits<HHOOK>
{
    static void Close(HHOOK h) { ::UnhookWindowsHookEx(h); }
};

// A window of one's own that nothing else destroys (a message-only window, say).
struct CWindowTraits : CNullHandleTraits<HWND>
{
    static void Close(HWND h) { ::DestroyWindow(h); }
};

using CScopedKernelHandle = CScopedHandle<CKernelHandleTraits>;
using CScopedFindHandle = CScopedHandle<CFindHandleTraits>;
using CScopedRegKey = CScopedHandle<CRegKeyTraits>;
using CScopedGlobal = CScopedHandle<CGlobalTraits>;
using CScopedPalette = CScopedHandle<CGdiObjectTraits<HPALETTE>>;
using CScopedBitmap = CScopedHandle<CGdiObjectTraits<HBITMAP>>;
using CScopedFont = CScopedHandle<CGdiObjectTraits<HFONT>>;
using CScopedMenu = CScopedHandle<CMenuTraits>;
using CScopedMemoryDC = CScopedHandle<CMemoryDCTraits>;
using CScopedLibrary = CScopedHandle<CLibraryTraits>;
using CScopedHook = CScopedHandle<CHookTraits>;
using CScopedWindow = CScopedHandle<CWindowTraits>;

#endif
