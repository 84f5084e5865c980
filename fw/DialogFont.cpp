#include "DialogFont.h"

#include "WideText.h"

bool CDialogFont::IsNeeded()
{
    return GetACP() != kCodePage932;
}

void CDialogFont::Apply(HWND hDialog)
{
    if (!IsNeeded())
        return;
    LOGFONTW lf{};
    const auto hTemplateFont = reinterpret_cast<HFONT>(SendMessageW(hDialog, WM_GETFONT, 0, 0));
    if (hTemplateFont == nullptr || GetObjectW(hTemplateFont, sizeof lf, &lf) == 0)
        return;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    CScopedFont font(CreateFontIndirectW(&lf));
    if (!font.IsValid())
        return;
    // The dialog itself keeps the template's font: the dialog manager deletes what it holds as
    // the dialog's font when the dialog goes.
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
        SendMessageW(hChild, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    m_font = std::move(font);
}
