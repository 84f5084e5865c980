// Message tables: each window, document or application class keeps one static array of entries
// (a window message, a command, a control's notification or a menu item's update) and hands it
// to a CMessageCall, which runs the first matching handler.
#ifndef KORVELT_FW_MESSAGETABLE_H
#define KORVELT_FW_MESSAGETABLE_H

#include <windows.h>

#include <cstddef>

class CCmdUI;

enum class EEntryKind
{
    Message,   // a window message: LRESULT OnX(WPARAM, LPARAM)
    Command,   // WM_COMMAND from a menu, an accelerator or a control: void OnX()
    Notify,    // WM_NOTIFY from a control: void OnX(NMHDR*, LRESULT*)
    Update,    // a menu item about to be shown: void OnUpdateX(CCmdUI*)
};

template <class T>
struct CMessageMapEntry
{
    EEntryKind m_kind;
    UINT m_nCode;   // the message, or the notification code (0 for menu commands and clicks)
    UINT m_nID;     // command or control ID; unused for messages
    LRESULT (T::*m_pfnMessage)(WPARAM, LPARAM);
    void (T::*m_pfnCommand)();
    void (T::*m_pfnNotify)(NMHDR*, LRESULT*);
    void (T::*m_pfnUpdate)(CCmdUI*);

    CMessageMapEntry(EEntryKind kind, UINT nCode, UINT nID)
        : m_kind(kind), m_nCode(nCode), m_nID(nID), m_pfnMessage(nullptr), m_pfnCommand(nullptr),
          m_pfnNotify(nullptr), m_pfnUpdate(nullptr)
    {
    }

    // A handler that a base class declares serves in a derived class's table as well.
    template <class TBase>
    CMessageMapEntry(const CMessageMapEntry<TBase>& base)
        : m_kind(base.m_kind), m_nCode(base.m_nCode), m_nID(base.m_nID),
          m_pfnMessage(base.m_pfnMessage), m_pfnCommand(base.m_pfnCommand),
          m_pfnNotify(base.m_pfnNotify), m_pfnUpdate(base.m_pfnUpdate)
    {
    }
};

template <class T>
CMessageMapEntry<T> HandleMessage(UINT nMessage, LRESULT (T::*pfn)(WPARAM, LPARAM))
{
    CMessageMapEntry<T> entry(EEntryKind::Message, nMessage, 0);
    entry.m_pfnMessage = pfn;
    return entry;
}

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

// Any other notification that a control sends through WM_COMMAND (EN_CHANGE and the like).
template <class T>
CMessageMapEntry<T> HandleControl(UINT nCode, UINT nID, void (T::*pfn)())
{
    CMessageMapEntry<T> entry(EEntryKind::Command, nCode, nID);
    entry.m_pfnCommand = pfn;
    return entry;
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
    LRESULT Result() const { return m_lResult; }

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
                m_lResult = (pThis->*entry.m_pfnMessage)(m_wParam, m_lParam);
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
};

#endif
