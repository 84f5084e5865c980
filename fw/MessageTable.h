// Message tables: each window, document or application class keeps one static array of entries
// (a window message, a command, a control's notification or a menu item's update) and hands it
// to a CMessageCall, which runs the first matching handler. The window messages that the
// program handles have typed entries (HandleSize, HandleTimer, ...) whose handlers take the
// parameters unpacked, each entry through one adapter made from its handler's type; a handler
// may still leave its message to the default processing (CWnd::SetMsgHandled).
#ifndef KORVELT_FW_MESSAGETABLE_H
#define KORVELT_FW_MESSAGETABLE_H

#include <windows.h>

#include <dbt.h>

#include <cstddef>
#include <cstring>

class CCmdUI;

enum class EEntryKind
{
    Message,   // a window message: a typed handler, or LRESULT OnX(WPARAM, LPARAM)
    Command,   // WM_COMMAND from a menu, an accelerator or a control: void OnX()
    Notify,    // WM_NOTIFY from a control: void OnX(NMHDR*, LRESULT*)
    Update,    // a menu item about to be shown: void OnUpdateX(CCmdUI*)
};

template <class T>
struct CMessageMapEntry;

// One question put to the message tables: a window message, a command, a notification, a menu
// item update, or whether any handler for a command exists (which keeps its menu item enabled).
class CMessageCall
{
public:
    static CMessageCall Message(UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        return CMessageCall(EEntryKind::Message, nMessage, 0, wParam, lParam);
    }
    static CMessageCall Command(UINT nID, UINT nCode) { return CMessageCall(EEntryKind::Command, nCode, nID, 0, 0); }
    static CMessageCall Notify(NMHDR* pHeader)
    {
        return CMessageCall(EEntryKind::Notify, pHeader->code, static_cast<UINT>(pHeader->idFrom), 0,
                            reinterpret_cast<LPARAM>(pHeader));
    }
    static CMessageCall Update(CCmdUI* pCmdUI, UINT nID)
    {
        CMessageCall call(EEntryKind::Update, 0, nID, 0, 0);
        call.m_pCmdUI = pCmdUI;
        return call;
    }
    static CMessageCall Probe(UINT nID)
    {
        CMessageCall call(EEntryKind::Command, 0, nID, 0, 0);
        call.m_bProbe = true;
        return call;
    }

    EEntryKind Kind() const { return m_kind; }
    UINT Code() const { return m_nCode; }
    UINT ID() const { return m_nID; }
    WPARAM WParam() const { return m_wParam; }
    LPARAM LParam() const { return m_lParam; }
    CCmdUI* CmdUI() const { return m_pCmdUI; }
    LRESULT Result() const { return m_lResult; }
    // A handler that clears this leaves the call to the tables after its own and then to the
    // default processing, as if it had not matched.
    void SetHandled(bool bHandled) { m_bHandled = bHandled; }

    // Runs the first entry of the table that matches this call on pThis; false when none does.
    template <class T, std::size_t N>
    bool Run(const CMessageMapEntry<T> (&table)[N], T* pThis)
    {
        for (const CMessageMapEntry<T>& entry : table)
        {
            if (entry.m_kind != m_kind || entry.m_nCode != m_nCode)
                continue;
            if (m_kind != EEntryKind::Message && entry.m_nID != m_nID)
                continue;
            if (!m_bProbe)
                m_lResult = entry.m_pfnAdapter(pThis, entry.m_pfn, *this);
            if (!m_bHandled)
            {
                m_bHandled = true;
                return false;
            }
            return true;
        }
        return false;
    }

private:
    CMessageCall(EEntryKind kind, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam)
        : m_kind(kind), m_nCode(nCode), m_nID(nID), m_wParam(wParam), m_lParam(lParam)
    {
    }

    EEntryKind m_kind;
    UINT m_nCode;
    UINT m_nID;
    WPARAM m_wParam;
    LPARAM m_lParam;
    LRESULT m_lResult = 0;
    CCmdUI* m_pCmdUI = nullptr;
    bool m_bProbe = false;
    bool m_bHandled = true;
};

// One entry of a class's table. The handler is kept as the bytes of its member function pointer
// (every such pointer of one class has the same size), and the adapter that was made for its own
// type copies it back and passes it the call's parameters unpacked.
template <class T>
struct CMessageMapEntry
{
    struct CErasedHandler
    {
        alignas(void (T::*)()) unsigned char m_bytes[sizeof(void (T::*)())];
    };
    using CAdapter = LRESULT (*)(T* pThis, const CErasedHandler& pfn, const CMessageCall& call);

    EEntryKind m_kind;
    UINT m_nCode;  // the message, or the notification code (0 for menu commands and clicks)
    UINT m_nID;    // command or control ID; unused for messages
    CErasedHandler m_pfn;
    CAdapter m_pfnAdapter;
};

namespace MessageTableDetail {

// The class of a member function pointer's type, and the same type for another class.
template <class TPfn>
struct CMemberOf;
template <class R, class C, class... TArgs>
struct CMemberOf<R (C::*)(TArgs...)>
{
    using CClass = C;
    template <class T>
    using CFor = R (T::*)(TArgs...);
};

} // namespace MessageTableDetail

// An entry as its factory makes it, for the class that declares the handler: it becomes an
// entry of that class's table or of any class derived from it (a base class's handler serves a
// derived class's table), with the adapter made for that class. TUnpack says, once for each way
// of taking a message, how the parameters reach the handler and what its result is.
template <class TPfn, class TUnpack>
struct CTableEntry
{
    EEntryKind m_kind;
    UINT m_nCode;
    UINT m_nID;
    TPfn m_pfn;

    template <class T>
    operator CMessageMapEntry<T>() const
    {
        using COwn = typename MessageTableDetail::CMemberOf<TPfn>::template CFor<T>;
        static_assert(sizeof(COwn) == sizeof(typename CMessageMapEntry<T>::CErasedHandler), "one size of handler");
        const COwn pfn = m_pfn;
        CMessageMapEntry<T> entry{m_kind, m_nCode, m_nID, {}, &Adapt<T, COwn>};
        std::memcpy(entry.m_pfn.m_bytes, &pfn, sizeof pfn);
        return entry;
    }

private:
    template <class T, class COwn>
    static LRESULT Adapt(T* pThis, const typename CMessageMapEntry<T>::CErasedHandler& erased, const CMessageCall& call)
    {
        // Back to the handler's own type, which is what the bytes were copied from.
        COwn pfn;
        std::memcpy(&pfn, erased.m_bytes, sizeof pfn);
        return TUnpack::Call(pThis, pfn, call);
    }
};

template <class TUnpack, class TPfn>
CTableEntry<TPfn, TUnpack> MakeTableEntry(EEntryKind kind, UINT nCode, UINT nID, TPfn pfn)
{
    return {kind, nCode, nID, pfn};
}

// The ways of taking a message. Each is written once; a new kind of handler is one of these and
// one factory line below.
namespace Unpack {

struct CRaw  // LRESULT (WPARAM, LPARAM)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c) { return (p->*pfn)(c.WParam(), c.LParam()); }
};
struct CVoid  // void ()
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall&) { return (p->*pfn)(), 0; }
};
struct CCreate  // bool (): false fails the creation (-1)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall&) { return (p->*pfn)() ? 0 : -1; }
};
struct CInitDialog  // bool (): true lets the system set the focus
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall&) { return (p->*pfn)() ? TRUE : FALSE; }
};
struct CUIntSize  // void (UINT, int cx, int cy)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        (p->*pfn)(static_cast<UINT>(c.WParam()), static_cast<int>(LOWORD(c.LParam())), static_cast<int>(HIWORD(c.LParam())));
        return 0;
    }
};
struct CWindow  // void (HWND)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c) { return (p->*pfn)(reinterpret_cast<HWND>(c.WParam())), 0; }
};
struct CActivate  // void (UINT nState, bool bMinimized, HWND hOther)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        (p->*pfn)(LOWORD(c.WParam()), HIWORD(c.WParam()) != 0, reinterpret_cast<HWND>(c.LParam()));
        return 0;
    }
};
struct CInitMenuPopup  // void (HMENU, UINT nIndex, bool bSystemMenu)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        (p->*pfn)(reinterpret_cast<HMENU>(c.WParam()), LOWORD(c.LParam()), HIWORD(c.LParam()) != 0);
        return 0;
    }
};
struct CScroll  // void (UINT nCode, UINT nPos, HWND hScrollBar)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        (p->*pfn)(LOWORD(c.WParam()), HIWORD(c.WParam()), reinterpret_cast<HWND>(c.LParam()));
        return 0;
    }
};
struct CTimer  // void (UINT_PTR nID)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c) { return (p->*pfn)(static_cast<UINT_PTR>(c.WParam())), 0; }
};
struct CDeviceChange  // void (UINT nEvent, const DEV_BROADCAST_HDR*)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        (p->*pfn)(static_cast<UINT>(c.WParam()), reinterpret_cast<const DEV_BROADCAST_HDR*>(c.LParam()));
        return 0;
    }
};
struct CCtlColor  // HBRUSH (HDC, HWND hControl)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        return reinterpret_cast<LRESULT>((p->*pfn)(reinterpret_cast<HDC>(c.WParam()), reinterpret_cast<HWND>(c.LParam())));
    }
};
struct CNotify  // void (NMHDR*, LRESULT* pResult)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c)
    {
        LRESULT lResult = 0;
        (p->*pfn)(reinterpret_cast<NMHDR*>(c.LParam()), &lResult);
        return lResult;
    }
};
struct CUpdate  // void (CCmdUI*)
{
    template <class T, class P>
    static LRESULT Call(T* p, P pfn, const CMessageCall& c) { return (p->*pfn)(c.CmdUI()), 0; }
};

} // namespace Unpack

// A message of the program's own (or one without a typed entry): the raw parameters.
template <class T>
auto HandleMessage(UINT nMessage, LRESULT (T::*pfn)(WPARAM, LPARAM))
{
    return MakeTableEntry<Unpack::CRaw>(EEntryKind::Message, nMessage, 0, pfn);
}

// Typed entries for the system's messages that the program handles.
#define KORVELT_TYPED_ENTRY(Name, nMessage, CUnpack, ...)                                  \
    template <class T>                                                                      \
    auto Name(__VA_ARGS__)                                                                  \
    {                                                                                       \
        return MakeTableEntry<Unpack::CUnpack>(EEntryKind::Message, nMessage, 0, pfn);      \
    }
KORVELT_TYPED_ENTRY(HandleCreate, WM_CREATE, CCreate, bool (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleInitDialog, WM_INITDIALOG, CInitDialog, bool (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleClose, WM_CLOSE, CVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleDestroy, WM_DESTROY, CVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandlePaint, WM_PAINT, CVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleSysColorChange, WM_SYSCOLORCHANGE, CVoid, void (T::*pfn)())
// nType (SIZE_MINIMIZED, ...) and the new client size.
KORVELT_TYPED_ENTRY(HandleSize, WM_SIZE, CUIntSize, void (T::*pfn)(UINT, int, int))
// The new depth in bits per pixel and the screen's size.
KORVELT_TYPED_ENTRY(HandleDisplayChange, WM_DISPLAYCHANGE, CUIntSize, void (T::*pfn)(UINT, int, int))
KORVELT_TYPED_ENTRY(HandleSetFocus, WM_SETFOCUS, CWindow, void (T::*pfn)(HWND))
KORVELT_TYPED_ENTRY(HandleActivate, WM_ACTIVATE, CActivate, void (T::*pfn)(UINT, bool, HWND))
KORVELT_TYPED_ENTRY(HandleInitMenuPopup, WM_INITMENUPOPUP, CInitMenuPopup, void (T::*pfn)(HMENU, UINT, bool))
KORVELT_TYPED_ENTRY(HandleHScroll, WM_HSCROLL, CScroll, void (T::*pfn)(UINT, UINT, HWND))
KORVELT_TYPED_ENTRY(HandleVScroll, WM_VSCROLL, CScroll, void (T::*pfn)(UINT, UINT, HWND))
KORVELT_TYPED_ENTRY(HandleTimer, WM_TIMER, CTimer, void (T::*pfn)(UINT_PTR))
KORVELT_TYPED_ENTRY(HandleDeviceChange, WM_DEVICECHANGE, CDeviceChange, void (T::*pfn)(UINT, const DEV_BROADCAST_HDR*))
KORVELT_TYPED_ENTRY(HandleCtlColorStatic, WM_CTLCOLORSTATIC, CCtlColor, HBRUSH (T::*pfn)(HDC, HWND))
#undef KORVELT_TYPED_ENTRY

// A menu or accelerator command, or a push button's click (BN_CLICKED is notification code 0).
template <class T>
auto HandleCommand(UINT nID, void (T::*pfn)())
{
    return MakeTableEntry<Unpack::CVoid>(EEntryKind::Command, 0, nID, pfn);
}

template <class T>
auto HandleClick(UINT nID, void (T::*pfn)())
{
    return HandleCommand(nID, pfn);
}

template <class T>
auto HandleNotify(UINT nCode, UINT nID, void (T::*pfn)(NMHDR*, LRESULT*))
{
    return MakeTableEntry<Unpack::CNotify>(EEntryKind::Notify, nCode, nID, pfn);
}

template <class T>
auto HandleUpdate(UINT nID, void (T::*pfn)(CCmdUI*))
{
    return MakeTableEntry<Unpack::CUpdate>(EEntryKind::Update, 0, nID, pfn);
}

#endif
