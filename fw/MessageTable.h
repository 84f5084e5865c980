// Message tables: each window, document or application class keeps one static array of entries
// (a window message, a command, a control's notification or a menu item's update) and hands it
// to a CMessageCall, which runs the first matching handler. The window messages that the
// program handles have typed entries (HandleSize, HandleTimer, ...) whose handlers take the
// parameters unpacked; a handler may still leave its message to the default processing
// (CWnd::SetMsgHandled).
#ifndef KORVELT_FW_MESSAGETABLE_H
#define KORVELT_FW_MESSAGETABLE_H

#include <windows.h>

#include <dbt.h>

#include <cstddef>

class CCmdUI;

enum class EEntryKind
{
    Message,   // a window message: a typed handler, or LRESULT OnX(WPARAM, LPARAM)
    Command,   // WM_COMMAND from a menu, an accelerator or a control: void OnX()
    Notify,    // WM_NOTIFY from a control: void OnX(NMHDR*, LRESULT*)
    Update,    // a menu item about to be shown: void OnUpdateX(CCmdUI*)
};

// How a message handler takes its parameters and gives its result.
enum class ESignature
{
    Raw,            // LRESULT (WPARAM, LPARAM)
    Void,           // void ()
    Create,         // bool (): false fails the creation (-1)
    InitDialog,     // bool (): true lets the system set the focus
    UIntSize,       // void (UINT, int cx, int cy): WM_SIZE, WM_DISPLAYCHANGE
    Window,         // void (HWND): WM_SETFOCUS's window that lost the focus
    Activate,       // void (UINT nState, bool bMinimized, HWND hOther)
    InitMenuPopup,  // void (HMENU, UINT nIndex, bool bSystemMenu)
    Scroll,         // void (UINT nCode, UINT nPos, HWND hScrollBar)
    Timer,          // void (UINT_PTR nID)
    DeviceChange,   // void (UINT nEvent, const DEV_BROADCAST_HDR*)
    CtlColor,       // HBRUSH (HDC, HWND hControl)
};

template <class T>
struct CMessageMapEntry
{
    EEntryKind m_kind;
    UINT m_nCode;   // the message, or the notification code (0 for menu commands and clicks)
    UINT m_nID;     // command or control ID; unused for messages
    ESignature m_signature = ESignature::Raw;
    // The handler, in the one member that its kind and signature name.
    LRESULT (T::*m_pfnMessage)(WPARAM, LPARAM) = nullptr;
    void (T::*m_pfnVoid)() = nullptr;
    bool (T::*m_pfnBool)() = nullptr;
    void (T::*m_pfnUIntSize)(UINT, int, int) = nullptr;
    void (T::*m_pfnWindow)(HWND) = nullptr;
    void (T::*m_pfnActivate)(UINT, bool, HWND) = nullptr;
    void (T::*m_pfnInitMenuPopup)(HMENU, UINT, bool) = nullptr;
    void (T::*m_pfnScroll)(UINT, UINT, HWND) = nullptr;
    void (T::*m_pfnTimer)(UINT_PTR) = nullptr;
    void (T::*m_pfnDeviceChange)(UINT, const DEV_BROADCAST_HDR*) = nullptr;
    HBRUSH (T::*m_pfnCtlColor)(HDC, HWND) = nullptr;
    void (T::*m_pfnCommand)() = nullptr;
    void (T::*m_pfnNotify)(NMHDR*, LRESULT*) = nullptr;
    void (T::*m_pfnUpdate)(CCmdUI*) = nullptr;

    CMessageMapEntry(EEntryKind kind, UINT nCode, UINT nID) : m_kind(kind), m_nCode(nCode), m_nID(nID) {}
    CMessageMapEntry(UINT nMessage, ESignature signature)
        : m_kind(EEntryKind::Message), m_nCode(nMessage), m_nID(0), m_signature(signature)
    {
    }

    // A handler that a base class declares serves in a derived class's table as well.
    template <class TBase>
    CMessageMapEntry(const CMessageMapEntry<TBase>& base)
        : m_kind(base.m_kind), m_nCode(base.m_nCode), m_nID(base.m_nID), m_signature(base.m_signature),
          m_pfnMessage(base.m_pfnMessage), m_pfnVoid(base.m_pfnVoid), m_pfnBool(base.m_pfnBool),
          m_pfnUIntSize(base.m_pfnUIntSize), m_pfnWindow(base.m_pfnWindow), m_pfnActivate(base.m_pfnActivate),
          m_pfnInitMenuPopup(base.m_pfnInitMenuPopup), m_pfnScroll(base.m_pfnScroll), m_pfnTimer(base.m_pfnTimer),
          m_pfnDeviceChange(base.m_pfnDeviceChange), m_pfnCtlColor(base.m_pfnCtlColor),
          m_pfnCommand(base.m_pfnCommand), m_pfnNotify(base.m_pfnNotify), m_pfnUpdate(base.m_pfnUpdate)
    {
    }
};

// A message of the program's own (or one without a typed entry): the raw parameters.
template <class T>
CMessageMapEntry<T> HandleMessage(UINT nMessage, LRESULT (T::*pfn)(WPARAM, LPARAM))
{
    CMessageMapEntry<T> entry(EEntryKind::Message, nMessage, 0);
    entry.m_pfnMessage = pfn;
    return entry;
}

// Typed entries for the system's messages that the program handles.
#define KORVELT_TYPED_ENTRY(Name, nMessage, signature, member, ...)          \
    template <class T>                                                        \
    CMessageMapEntry<T> Name(__VA_ARGS__)                                     \
    {                                                                         \
        CMessageMapEntry<T> entry(nMessage, ESignature::signature);           \
        entry.member = pfn;                                                   \
        return entry;                                                         \
    }
KORVELT_TYPED_ENTRY(HandleCreate, WM_CREATE, Create, m_pfnBool, bool (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleInitDialog, WM_INITDIALOG, InitDialog, m_pfnBool, bool (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleClose, WM_CLOSE, Void, m_pfnVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleDestroy, WM_DESTROY, Void, m_pfnVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandlePaint, WM_PAINT, Void, m_pfnVoid, void (T::*pfn)())
KORVELT_TYPED_ENTRY(HandleSysColorChange, WM_SYSCOLORCHANGE, Void, m_pfnVoid, void (T::*pfn)())
// nType (SIZE_MINIMIZED, ...) and the new client size.
KORVELT_TYPED_ENTRY(HandleSize, WM_SIZE, UIntSize, m_pfnUIntSize, void (T::*pfn)(UINT, int, int))
// The new depth in bits per pixel and the screen's size.
KORVELT_TYPED_ENTRY(HandleDisplayChange, WM_DISPLAYCHANGE, UIntSize, m_pfnUIntSize, void (T::*pfn)(UINT, int, int))
KORVELT_TYPED_ENTRY(HandleSetFocus, WM_SETFOCUS, Window, m_pfnWindow, void (T::*pfn)(HWND))
KORVELT_TYPED_ENTRY(HandleActivate, WM_ACTIVATE, Activate, m_pfnActivate, void (T::*pfn)(UINT, bool, HWND))
KORVELT_TYPED_ENTRY(HandleInitMenuPopup, WM_INITMENUPOPUP, InitMenuPopup, m_pfnInitMenuPopup,
                    void (T::*pfn)(HMENU, UINT, bool))
KORVELT_TYPED_ENTRY(HandleHScroll, WM_HSCROLL, Scroll, m_pfnScroll, void (T::*pfn)(UINT, UINT, HWND))
KORVELT_TYPED_ENTRY(HandleVScroll, WM_VSCROLL, Scroll, m_pfnScroll, void (T::*pfn)(UINT, UINT, HWND))
KORVELT_TYPED_ENTRY(HandleTimer, WM_TIMER, Timer, m_pfnTimer, void (T::*pfn)(UINT_PTR))
KORVELT_TYPED_ENTRY(HandleDeviceChange, WM_DEVICECHANGE, DeviceChange, m_pfnDeviceChange,
                    void (T::*pfn)(UINT, const DEV_BROADCAST_HDR*))
KORVELT_TYPED_ENTRY(HandleCtlColorStatic, WM_CTLCOLORSTATIC, CtlColor, m_pfnCtlColor, HBRUSH (T::*pfn)(HDC, HWND))
#undef KORVELT_TYPED_ENTRY

// A menu or accelerator command, or a push button's click (BN_CLICKED is notification code 0).
template <class T>
CMessageMapEntry<T> HandleCommand(UINT nID, void (T::*pfn)())
{
    CMessageMapEntry<T> entry(EEntryKind::Command, 0, nID);
    entry.m_pfnCommand = pfn;
    return entry;
}

template <class T>
CMessageMapEntry<T> HandleClick(UINT nID, void (T::*pfn)())
{
    return HandleCommand(nID, pfn);
}

template <class T>
CMessageMapEntry<T> HandleNotify(UINT nCode, UINT nID, void (T::*pfn)(NMHDR*, LRESULT*))
{
    CMessageMapEntry<T> entry(EEntryKind::Notify, nCode, nID);
    entry.m_pfnNotify = pfn;
    return entry;
}

template <class T>
CMessageMapEntry<T> HandleUpdate(UINT nID, void (T::*pfn)(CCmdUI*))
{
    CMessageMapEntry<T> entry(EEntryKind::Update, 0, nID);
    entry.m_pfnUpdate = pfn;
    return entry;
}

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
            switch (m_kind)
            {
            case EEntryKind::Message:
                m_lResult = CallMessage(entry, pThis);
                break;
            case EEntryKind::Command:
                if (!m_bProbe)
                    (pThis->*entry.m_pfnCommand)();
                break;
            case EEntryKind::Notify:
                m_lResult = 0;
                (pThis->*entry.m_pfnNotify)(reinterpret_cast<NMHDR*>(m_lParam), &m_lResult);
                break;
            case EEntryKind::Update:
                (pThis->*entry.m_pfnUpdate)(m_pCmdUI);
                break;
            }
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
    template <class T>
    LRESULT CallMessage(const CMessageMapEntry<T>& entry, T* pThis)
    {
        const WPARAM w = m_wParam;
        const LPARAM l = m_lParam;
        const int nLow = static_cast<int>(LOWORD(l));
        const int nHigh = static_cast<int>(HIWORD(l));
        switch (entry.m_signature)
        {
        case ESignature::Raw:
            return (pThis->*entry.m_pfnMessage)(w, l);
        case ESignature::Void:
            (pThis->*entry.m_pfnVoid)();
            return 0;
        case ESignature::Create:
            return (pThis->*entry.m_pfnBool)() ? 0 : -1;
        case ESignature::InitDialog:
            return (pThis->*entry.m_pfnBool)() ? TRUE : FALSE;
        case ESignature::UIntSize:
            (pThis->*entry.m_pfnUIntSize)(static_cast<UINT>(w), nLow, nHigh);
            return 0;
        case ESignature::Window:
            (pThis->*entry.m_pfnWindow)(reinterpret_cast<HWND>(w));
            return 0;
        case ESignature::Activate:
            (pThis->*entry.m_pfnActivate)(LOWORD(w), HIWORD(w) != 0,
                                                                           reinterpret_cast<HWND>(l));
            return 0;
        case ESignature::InitMenuPopup:
            (pThis->*entry.m_pfnInitMenuPopup)(reinterpret_cast<HMENU>(w), LOWORD(l),
                                                                            HIWORD(l) != 0);
            return 0;
        case ESignature::Scroll:
            (pThis->*entry.m_pfnScroll)(LOWORD(w), HIWORD(w),
                                                                           reinterpret_cast<HWND>(l));
            return 0;
        case ESignature::Timer:
            (pThis->*entry.m_pfnTimer)(static_cast<UINT_PTR>(w));
            return 0;
        case ESignature::DeviceChange:
            (pThis->*entry.m_pfnDeviceChange)(
                static_cast<UINT>(w), reinterpret_cast<const DEV_BROADCAST_HDR*>(l));
            return 0;
        case ESignature::CtlColor:
            return reinterpret_cast<LRESULT>((pThis->*entry.m_pfnCtlColor)(
                reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l)));
        }
        return 0;
    }

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

#endif
