#include "fw/Dialog.h"

#include "fw/FrameWnd.h"
#include "fw/WinApp.h"
#include "win/User932.h"

INT_PTR CDialog::DoModal()
{
    CWinApp* pApp = CWinApp::Get();
    HWND hOwner = nullptr;
    if (m_pParent != nullptr)
        hOwner = m_pParent->m_hWnd;
    else if (pApp->GetMainWnd() != nullptr && pApp->GetMainWnd()->m_hWnd != nullptr)
        hOwner = GetLastActivePopup(pApp->GetMainWnd()->m_hWnd);
    return DialogBoxParam932(pApp->m_hInstance, m_nIDTemplate, hOwner, &CWnd::DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(m_hWnd, bSaveAndValidate);
    DoDataExchange(dx);
    return true;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::CenterOverOwner()
{
    HWND hOwner = GetWindow(m_hWnd, GW_OWNER);
    RECT rcDialog, rcOwner, rcArea;
    GetWindowRect(m_hWnd, &rcDialog);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    if (hOwner == nullptr || !IsWindowVisible(hOwner) || IsIconic(hOwner))
        rcOwner = rcArea;
    else
        GetWindowRect(hOwner, &rcOwner);
    const int cx = rcDialog.right - rcDialog.left;
    const int cy = rcDialog.bottom - rcDialog.top;
    int x = (rcOwner.left + rcOwner.right - cx) / 2;
    int y = (rcOwner.top + rcOwner.bottom - cy) / 2;
    // Keep the dialog on the screen.
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::OnInitDialogMessage()
{
    m_font.Apply(m_hWnd);
    CenterOverOwner();
    return OnInitDialog();
}

bool CDialog::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CDialog> s_table[] = {
        HandleInitDialog(&CDialog::OnInitDialogMessage),
        HandleCommand(IDOK, &CDialog::OnOK),
        HandleCommand(IDCANCEL, &CDialog::OnCancel),
    };
    return call.Run(s_table, this) || CWnd::ProcessMessageTable(call);
}
