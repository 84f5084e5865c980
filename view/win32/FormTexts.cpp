#include "view/win32/FormTexts.h"

#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "view/win32/AppListCtrl.h"
#include "view/EntryActions.h"
#include "win/Dpi.h"
#include "win/ScopedHandle.h"
#include "win/User932.h"

namespace {

struct CColumnText
{
    int m_nMessage;
    int m_nWidth;
};
// The list's columns: title, description, status.
constexpr CColumnText kColumns[] = {
    {MSG_COLUMN_TITLE, 260},
    {MSG_COLUMN_DESCRIPTION, 190},
    {MSG_COLUMN_STATUS, 139},
};

struct CMenuText
{
    int m_nTitle;
    int m_nItem;
    UINT m_nCommand;
};
// The menu bar's three placeholders, by position.
constexpr CMenuText kMenus[] = {
    {MSG_MENU_FILE, MSG_MENU_EXIT, ID_APP_EXIT},
    {MSG_MENU_SETUP, MSG_MENU_FORCE_SETUP, ID_FORCE_SETUP},
    {MSG_MENU_HELP, MSG_MENU_ABOUT, ID_APP_ABOUT},
};

struct CButtonText
{
    int m_nID;
    int m_nMessage;
};
constexpr CButtonText kButtons[] = {
    {IDC_SETUP, MSG_BUTTON_SETUP},
    {IDC_UNINSTALL, MSG_BUTTON_UNINSTALL},
    {IDC_TEXTFILE, MSG_BUTTON_TEXTFILE},
};

} // namespace

void CFormTexts::SetButtonTexts(HWND hForm)
{
    for (const CButtonText& button : kButtons)
        SetDlgItemText932(hForm, button.m_nID, LoadMessage(button.m_nMessage));
}

void CFormTexts::SetMenuTexts(HWND hFrame)
{
    HMENU hMenuBar = GetMenu(hFrame);
    if (hMenuBar != nullptr)
    {
        UINT nPosition = 0;
        for (const CMenuText& menu : kMenus)
        {
            CScopedMenu popup(CreatePopupMenu());
            if (popup.IsValid() &&
                AppendMenu932(popup.Get(), MF_STRING, menu.m_nCommand, LoadMessage(menu.m_nItem)) &&
                ModifyMenu932(hMenuBar, nPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                              reinterpret_cast<UINT_PTR>(popup.Get()), LoadMessage(menu.m_nTitle)))
                popup.Take();
            ++nPosition;
        }
    }
    SetWindowText932(hFrame, LoadMessage(MSG_CAPTION));
    DrawMenuBar(hFrame);
}

void CFormTexts::ResetColumns(CAppListCtrl& list)
{
    list.Clear(true);
    int nIndex = 0;
    for (const CColumnText& column : kColumns)
        list.InsertColumn(nIndex++, {LoadMessage(column.m_nMessage), ScaleForDpi(column.m_nWidth)});
}

std::string CFormTexts::StatusText(bool bInstalled, bool bPrevReleaseFound)
{
    const int nMessage = StatusMessageFor(bInstalled, bPrevReleaseFound);
    return nMessage != 0 ? LoadMessage(nMessage) : std::string();
}
