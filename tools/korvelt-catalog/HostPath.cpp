#include "HostPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::filesystem::path FileSystemPath(const std::string& strCommandLinePath)
{
#ifdef _WIN32
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strCommandLinePath.c_str(), -1, nullptr, 0);
    std::wstring strWide(nChars > 0 ? static_cast<std::size_t>(nChars) : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strCommandLinePath.c_str(), -1, &strWide[0], nChars);
    strWide.resize(strWide.size() - 1);
    return std::filesystem::path(strWide);
#else
    return std::filesystem::path(strCommandLinePath);
#endif
}
