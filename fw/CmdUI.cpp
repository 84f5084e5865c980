#include "fw/CmdUI.h"

void CCmdUI::Enable(bool bEnable)
{
    EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bEnable ? MF_ENABLED : MF_GRAYED));
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int nCheck)
{
    CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
}
