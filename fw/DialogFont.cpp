#include "fw/DialogFont.h"

#include "win/User932.h"
#include "win/WideText.h"

bool CDialogFont::IsNeeded()
{
    return GetACP() != kCodePage932;
}

void CDialogFont::Apply(HWND hDialog)
{
    if (!IsNeeded())
        return;
    const auto hTemplateFont = reinterpret_cast<HFONT>(SendMessage932(hDialog, WM_GETFONT, 0, 0));
    if (hTemplateFont == nullptr)
        return;
    CScopedFont font(CreateFontInCharset932(hTemplateFont, SHIFTJIS_CHARSET));
    if (!font.IsValid())
        return;
    // The dialog itself keeps the template's font: the dialog manager deletes what it holds as
    // the dialog's font when the dialog goes.
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
        SendMessage932(hChild, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    m_font = std::move(font);
}
