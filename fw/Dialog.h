// A modal dialog from a dialog template: lives on its caller's stack for one DoModal, moves its
// members into the controls at init and back at OK, centred over its owner.
#ifndef KORVELT_FW_DIALOG_H
#define KORVELT_FW_DIALOG_H

#include "fw/DataExchange.h"
#include "fw/DialogFont.h"
#include "fw/Wnd.h"

class CDialog : public CWnd
{
public:
    // Without a parent the main window (its last active pop-up) owns the dialog.
    explicit CDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : m_nIDTemplate(nIDTemplate), m_pParent(pParent) {}

    // Shows the dialog and returns how it ended (IDOK, IDCANCEL), or -1 when it could not be made.
    INT_PTR DoModal();
    void EndDialog(int nResult);
    // true: controls -> members; false: members -> controls.
    bool UpdateData(bool bSaveAndValidate = true);

protected:
    // Fills the controls from the members; true lets the system focus the first control.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& dx) {}

    // The font and the place over the owner, then OnInitDialog.
    bool OnInitDialogMessage();
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    void CenterOverOwner();

    UINT m_nIDTemplate;
    CWnd* m_pParent;
    CDialogFont m_font;
};

#endif
