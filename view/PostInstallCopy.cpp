#include "view/PostInstallCopy.h"

#include "utils/Cp932.h"
#include "utils/DeviceNames.h"

#include <algorithm>

namespace {

// Why one line copies nothing; ECopySkip::None when it copies. Fills the line's source and
// target file.
ECopySkip ReadCopyLine(CCopyLine& line)
{
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
    // The target is a full folder path: one from a drive, a share or the drive's root.
    if (strTarget.empty() || (strTarget[0] != '\\' && strTarget[0] != '/' && strTarget.find(':') == std::string::npos))
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
