#include "win/CommonDialogs932.h"

#include "win/Kernel932.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <commdlg.h>

#include <vector>

namespace
{
// The dialog and its structure in one character form; the texts already converted.
template <class TOpenFileName, class TChar, class TPrompt>
bool Prompt(TPrompt pfnPrompt, HWND hOwner, const std::basic_string<TChar>& strFilter,
            const std::basic_string<TChar>& strDefExt, DWORD dwFlags, std::vector<TChar>& file)
{
    TOpenFileName ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = strFilter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = strDefExt.empty() ? nullptr : strDefExt.c_str();
    ofn.Flags = dwFlags;
    return pfnPrompt(&ofn) != FALSE;
}

// Up to the first terminator, so that a name that fills the buffer stays inside it.
template <class TChar>
std::basic_string<TChar> FirstPrefilled(const std::basic_string<TChar>& strPath)
{
    return strPath.substr(0, std::min<size_t>(strPath.size(), MAX_PATH - 1));
}
}

bool PromptFileName932(HWND hOwner, const std::string& strFilter, const std::string& strDefExt, DWORD dwFlags,
                       bool bSave, std::string& strPath, bool& bNotCarried)
{
    bNotCarried = false;
    if (IsWindows9x())
    {
        std::vector<char> file(MAX_PATH, '\0');
        const std::string strFirst = FirstPrefilled(strPath);
        std::copy(strFirst.begin(), strFirst.end(), file.begin());
        if (!Prompt<OPENFILENAMEA>(bSave ? &GetSaveFileNameA : &GetOpenFileNameA, hOwner, strFilter, strDefExt,
                                   dwFlags, file))
            return false;
        strPath = file.data();
        return true;
    }
    std::vector<wchar_t> file(MAX_PATH, L'\0');
    const std::wstring strFirst = FirstPrefilled(WideFromCodePageLossy(kCodePage932, strPath));
    std::copy(strFirst.begin(), strFirst.end(), file.begin());
    if (!Prompt<OPENFILENAMEW>(bSave ? &GetSaveFileNameW : &GetOpenFileNameW, hOwner,
                               WideFromCodePageLossy(kCodePage932, strFilter),
                               WideFromCodePageLossy(kCodePage932, strDefExt), dwFlags, file))
        return false;
    // A chosen file whose name code page 932 cannot carry is one the program cannot name.
    if (!CodePageFromWideExact(kCodePage932, file.data(), lstrlenW(file.data()), strPath))
    {
        bNotCarried = true;
        return false;
    }
    return true;
}

bool GetFileTitle932(const std::string& strPath, std::string& strTitle)
{
    if (IsWindows9x())
    {
        char szTitle[MAX_PATH] = {};
        if (!IsCp932Text(strPath) || GetFileTitleA(strPath.c_str(), szTitle, MAX_PATH) != 0 || szTitle[0] == '\0')
            return false;
        strTitle = szTitle;
        return true;
    }
    std::wstring strWide;
    wchar_t szTitle[MAX_PATH] = {};
    if (!WideFromCodePageExact(kCodePage932, strPath, strWide) ||
        GetFileTitleW(strWide.c_str(), szTitle, MAX_PATH) != 0 || szTitle[0] == L'\0')
        return false;
    strTitle = CodePageFromWideLossy(kCodePage932, szTitle);
    return true;
}
