// Benchmark of the installed-state checks against the real registry and file system: 1,000
// entries with a mix of registry, Start-menu, previous-release and unchecked entries, refreshed
// as the launcher refreshes its list. Keys and files live under names of its own and are
// removed at the end.
#include "catalog/AppCatalog.h"
#include "catalog/CheckContext.h"
#include "tests/support/EntryBuilder.h"
#include "view/PendingCopies.h"

#include <windows.h>
#include <shlwapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

const char kRoot[] = "Software\\KorveltBench";
const char kPrograms[] = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";

void CreateKey(const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                          nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(hKey);
}

} // namespace

int main()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const std::string strReference = std::string(szTemp) + "korvelt-bench.dll";
    {
        HANDLE hFile = ::CreateFileA(strReference.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ::CloseHandle(hFile);
    }

    const int kEntries = 1000;
    CCheckContext context;
    context.m_strStartMenuPrograms = kPrograms;
    CAppCatalog catalog;
    catalog.SetCheckContext(context);
    for (int i = 0; i < kEntries; ++i)
    {
        const std::string strKey = std::string(kRoot) + "\\App" + std::to_string(i);
        if (i % 2 == 0)
            CreateKey(strKey);
        switch (i % 4)
        {
        case 0:
        case 1:  // registry check, half of them installed
            catalog.Add(MakeEntry({{"m_strCheckKey", strKey + (i % 8 == 1 ? "%OS%=95" : "")}}, {{"m_nCheckType", 0}}));
            break;
        case 2:  // Start-menu file check
            catalog.Add(MakeEntry({{"m_strCheckFile", "KorveltBench\\App" + std::to_string(i) + ".lnk"}},
                                  {{"m_nCheckType", 1}}));
            break;
        default:  // previous release block with a date test in front of the registry check
            catalog.Add(MakeEntry({{"m_strCheckKey", strKey}, {"m_strPrevCheckKey", strKey + "Old"},
                                   {"m_strPrevReleaseDate", "2099/12/31"}, {"m_strPrevReleaseFile", strReference}},
                                  {{"m_nCheckType", 0}, {"m_bHasPrevRelease", 1}}));
            break;
        }
    }

    const int kRounds = 5;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round)
        catalog.RefreshAll();
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int nInstalled = 0;
    for (int n = 1; n <= catalog.GetCount(); ++n)
        nInstalled += catalog.GetAt(n)->IsInstalled() ? 1 : 0;
    std::printf("checks: %d refreshes of %d entries in %.3f s: %.0f entries/s (%d installed)\n", kRounds, kEntries,
                dSeconds, kRounds * kEntries / dSeconds, nInstalled);

    // The launcher's refresh after a restore: each row's entry evaluated once, with the pending
    // post-install copies (none of these entries has a copy list).
    CPendingCopies pending;
    pending.MarkAll(catalog.GetCount());
    const auto passStart = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round)
    {
        for (int n = 1; n <= catalog.GetCount(); ++n)
            pending.Refresh(context, n, *catalog.GetAt(n), "Q:");
    }
    const double dPassSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - passStart).count();
    std::printf("refresh pass: %d passes over %d entries in %.3f s: %.0f entries/s\n", kRounds, kEntries,
                dPassSeconds, kRounds * kEntries / dPassSeconds);

    ::SHDeleteKeyA(HKEY_CURRENT_USER, kRoot);
    ::DeleteFileA(strReference.c_str());
    return 0;
}
