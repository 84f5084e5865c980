// The state of one menu item while its pop-up menu opens: update handlers enable or check it.
#ifndef KORVELT_FW_CMDUI_H
#define KORVELT_FW_CMDUI_H

#include <windows.h>

class CCmdUI
{
public:
    CCmdUI(HMENU hMenu, UINT nIndex, UINT nID) : m_hMenu(hMenu), m_nIndex(nIndex), m_nID(nID) {}

    UINT ID() const { return m_nID; }
    void Enable(bool bEnable = true);
    // 0 clears the check mark, any other value sets it.
    void SetCheck(int nCheck = 1);
    bool EnableChanged() const { return m_bEnableChanged; }

private:
    HMENU m_hMenu;
    UINT m_nIndex;
    UINT m_nID;
    bool m_bEnableChanged = false;
};

#endif
