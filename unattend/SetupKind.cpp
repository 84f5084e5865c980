#include "unattend/SetupKind.h"

#include "sys/System.h"

#include <cstring>

namespace {

// A compound file, the container of every Windows Installer package and patch.
constexpr char kCompoundFile[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
// NSIS: after four bytes of flags, this signature at an offset that is a multiple of 512.
constexpr char kNsisHeader[] = "\xEF\xBE\xAD\xDENullsoftInst";
constexpr std::size_t kNsisAlign = 512;
// Inno Setup: the loader's offset table in its resources, or the set-up data that it points to.
constexpr char kInnoOffsetTable[] = "rDlPtS\xCD\xE6\xD7\x7B\x0B\x2A";
constexpr char kInnoSetupData[] = "Inno Setup Setup Data (";

bool StartsWith(const std::string& strBytes, std::size_t nAt, const char* pszWhat, std::size_t nLength)
{
    return nAt <= strBytes.size() && strBytes.size() - nAt >= nLength &&
           std::memcmp(strBytes.data() + nAt, pszWhat, nLength) == 0;
}

} // namespace

ESetupKind SetupKindOfBytes(const std::string& strHead)
{
    if (StartsWith(strHead, 0, kCompoundFile, sizeof kCompoundFile - 1))
        return ESetupKind::Package;
    // Both other kinds are Windows programs.
    if (!StartsWith(strHead, 0, "MZ", 2))
        return ESetupKind::Unknown;
    for (std::size_t nAt = kNsisAlign; nAt + 4 < strHead.size(); nAt += kNsisAlign)
    {
        if (StartsWith(strHead, nAt + 4, kNsisHeader, sizeof kNsisHeader - 1))
            return ESetupKind::Nsis;
    }
    if (strHead.find(std::string(kInnoOffsetTable, sizeof kInnoOffsetTable - 1)) != std::string::npos ||
        strHead.find(kInnoSetupData) != std::string::npos)
        return ESetupKind::Inno;
    return ESetupKind::Unknown;
}

ESetupKind SetupKindOfFile(const std::string& strPath)
{
    std::string strHead;
    if (strPath.empty() || !TheSystem().ReadFile(strPath, strHead, kSetupKindBytes))
        return ESetupKind::Unknown;
    return SetupKindOfBytes(strHead);
}

const char* SetupKindName(ESetupKind kind)
{
    switch (kind)
    {
    case ESetupKind::Package: return "Windows Installer";
    case ESetupKind::Nsis: return "NSIS";
    case ESetupKind::Inno: return "Inno Setup";
    case ESetupKind::Unknown: break;
    }
    return "unknown";
}
