#include "tools/korvelt-catalog/HostPath.h"

#ifdef _WIN32
#include "win/WideText.h"
#endif

std::filesystem::path FileSystemPath(const std::string& strCommandLinePath)
{
#ifdef _WIN32
    return std::filesystem::path(WideFromCodePageLossy(CP_ACP, strCommandLinePath));
#else
    return std::filesystem::path(strCommandLinePath);
#endif
}
