#include "view/win32/FormControlLayout.h"

#include "res/resource.h"

namespace {

constexpr int kControlIDs[] = {IDC_APPLIST, IDC_SETUP, IDC_UNINSTALL, IDC_TEXTFILE};

} // namespace

void CFormControlLayout::TakeDesign(HWND hForm, SIZE sizeForm)
{
    m_rcForm = CLayoutRect{0, 0, sizeForm.cx, sizeForm.cy};
    if (m_bHasDesign)
        return;
    static_assert(sizeof kControlIDs / sizeof kControlIDs[0] == sizeof m_controls / sizeof m_controls[0]);
    for (std::size_t i = 0; i < sizeof m_controls / sizeof m_controls[0]; ++i)
    {
        RECT rc{};
        GetWindowRect(GetDlgItem(hForm, kControlIDs[i]), &rc);
        MapWindowPoints(nullptr, hForm, reinterpret_cast<POINT*>(&rc), 2);
        m_controls[i] = CControl{kControlIDs[i], CLayoutRect{rc.left, rc.top, rc.right, rc.bottom}};
    }
    m_bHasDesign = true;
}

void CFormControlLayout::Apply(HWND hForm, bool bZoomOut)
{
    if (!m_bHasDesign || m_bApplying)
        return;
    m_bApplying = true;
    if (bZoomOut)
        ShowScrollBar(hForm, SB_BOTH, FALSE);
    RECT rcClient{};
    GetClientRect(hForm, &rcClient);
    const CFormLayout::CFactors factors = CFormLayout::Factors(rcClient.right, rcClient.bottom, m_rcForm, bZoomOut);
    if (factors.m_bResetHorizontal)
        SetScrollPos(hForm, SB_HORZ, 0, TRUE);
    if (factors.m_bResetVertical)
        SetScrollPos(hForm, SB_VERT, 0, TRUE);
    for (const CControl& control : m_controls)
    {
        const CPlacement place = CFormLayout::Scale(control.m_rcDesign, factors);
        MoveWindow(GetDlgItem(hForm, control.m_nID), place.m_nX, place.m_nY, place.m_nWidth, place.m_nHeight, TRUE);
    }
    m_bApplying = false;
}
