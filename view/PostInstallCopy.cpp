#include "view/PostInstallCopy.h"

#include "utils/Cp932.h"
#include "utils/DeviceNames.h"

#include <algorithm>

namespace {

bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// A full folder path: from a drive ("C:\\App", or "C:", whose root the file then lands in), a
// share or the current drive's root. "C:App" is relative to drive C's current folder.
bool IsFullFolder(const std::string& strFolder)
{
    if (strFolder.empty())
        return false;
    if (IsSeparator(strFolder[0]))
        return true;
    const bool bDriveLetter = (strFolder[0] >= 'A' && strFolder[0] <= 'Z') || (strFolder[0] >= 'a' && strFolder[0] <= 'z');
    return bDriveLetter && strFolder.size() >= 2 && strFolder[1] == ':' && (strFolder.size() == 2 || IsSeparator(strFolder[2]));
}

// A path in the system's device namespaces ("\\\\.\\", "\\\\?\\", "\\??\\", or with "/"): it
// opens disks and devices by their own names, and keeps the dots and blanks that names end in.
bool IsDevicePath(const std::string& strPath)
{
    if (strPath.size() < 4 || !IsSeparator(strPath[0]) || !IsSeparator(strPath[3]))
        return false;
    return (IsSeparator(strPath[1]) && (strPath[2] == '.' || strPath[2] == '?')) ||
           (strPath[1] == '?' && strPath[2] == '?');
}

// Why one line copies nothing; ECopySkip::None when it copies. Fills the line's source and
// target file.
ECopySkip ReadCopyLine(CCopyLine& line)
{
    // The system reads a path only up to a NUL: "\\DATA\\COM1\0.TXT" would open a port.
    if (line.m_strLine.find('\0') != std::string::npos)
        return ECopySkip::HoldsNul;
    const std::size_t nArrow = line.m_strLine.rfind('>');
    if (nArrow == std::string::npos)
        return ECopySkip::NoArrow;
    line.m_strSource = line.m_strLine.substr(0, nArrow);
    const std::string strTarget = line.m_strLine.substr(nArrow + 1);
    // "/" separates as "\\" does (it is never a second byte of a code page 932 character). The
    // file keeps its name in the target folder: a name that would leave it or name a drive is
    // skipped, as a copy that fails. The system drops the dots and blanks that a name ends in, so
    // a name of nothing else ("...") means the folder itself, or its parent.
    const std::size_t nSeparator = FindLastSeparator(line.m_strSource);
    const std::string strName =
        nSeparator == std::string::npos ? line.m_strSource : line.m_strSource.substr(nSeparator + 1);
    line.m_strTo = strTarget + "\\" + strName;
    if (strName.find_first_not_of(". ") == std::string::npos)
        return ECopySkip::NoName;
    if (strName.find(':') != std::string::npos)
        return ECopySkip::NameWithDrive;
    // The source is the medium's: no ".." that climbs above its root, no drive of its own.
    if (ClimbsAboveStart(line.m_strSource) || line.m_strSource.find(':') != std::string::npos)
        return ECopySkip::LeavesMedium;
    if (HasDeviceComponent(line.m_strSource) || HasDeviceComponent(strTarget))
        return ECopySkip::DeviceName;
    if (IsDevicePath(line.m_strTo))
        return ECopySkip::DevicePath;
    if (!IsFullFolder(strTarget))
        return ECopySkip::TargetRelative;
    // A target folder that ends in half a double-byte character would take the backslash for its
    // second byte, and the file would land beside the folder.
    if (FindLastBackslash(line.m_strTo) != strTarget.size())
        return ECopySkip::HalfCharacter;
    return ECopySkip::None;
}

} // namespace

std::vector<CCopyLine> ParseCopyList(const std::string& strList)
{
    std::vector<CCopyLine> lines;
    std::size_t nPos = 0;
    while (nPos < strList.size())
    {
        // Neither CR nor LF is ever the second byte of a double-byte character.
        const std::size_t nEnd = std::min(strList.find_first_of("\r\n", nPos), strList.size());
        CCopyLine line;
        line.m_strLine = strList.substr(nPos, nEnd - nPos);
        line.m_skip = ReadCopyLine(line);
        lines.push_back(line);
        nPos = nEnd + (strList.compare(nEnd, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string PathOnMedium(const std::string& strMedium, const std::string& strPath)
{
    const bool bFromRoot = !strPath.empty() && (strPath[0] == '\\' || strPath[0] == '/');
    return bFromRoot ? strMedium + strPath : strMedium + "\\" + strPath;
}

int CopyFileList(const std::string& strList, const std::string& strDrive, CSystem::EReplace replace)
{
    CopyFileListCounted(strList, strDrive, replace);
    return 1;
}

CCopyCount CopyFileListCounted(const std::string& strList, const std::string& strDrive, CSystem::EReplace replace)
{
    CCopyCount count;
    const std::vector<CCopyLine> lines = ParseCopyList(strList);
    count.m_nLines = static_cast<int>(lines.size());
    // Without the medium's folder a source "\\x" would be read from the current drive's root.
    if (strDrive.empty())
        return count;
    for (const CCopyLine& line : lines)
        if (line.m_skip == ECopySkip::None && CopyOneFile(PathOnMedium(strDrive, line.m_strSource), line.m_strTo, replace))
            ++count.m_nCopied;
    return count;
}

bool CopyOneFile(const std::string& strFrom, const std::string& strTo, CSystem::EReplace replace)
{
    return TheSystem().CopyFileOver(strFrom, strTo, replace);
}
