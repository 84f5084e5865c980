#include "catalog/AppCatalog.h"

#include "catalog/ArchiveReader.h"
#include "catalog/ArchiveWriter.h"
#include "catalog/FileException.h"
#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "utils/Cp932.h"

#include <algorithm>

namespace {

// Longest path, terminator included, that the file functions accept without a long-path prefix;
// counted in code page 932 bytes, never fewer than the path's characters.
constexpr std::size_t kMaxPath = 260;

} // namespace

void CAppCatalog::Serialize(CArchiveReader& ar)
{
    RemoveAll();
    CAppList::Serialize(ar);
    if (!ar.AtEnd())
        Report(MSG_CATALOG_UNREADABLE);
}

int CAppCatalog::Load()
{
    // The catalogue's paths are relative to the current folder: that folder is the medium.
    if (!m_bMediumNamed)
    {
        m_strMediumFolder = TheSystem().GetCurrentFolder();
        m_bMediumKnown = true;
    }
    std::string strIndex;
    if (!TheSystem().ReadFile(m_strDatabasePath, strIndex))
    {
        // A file whose name code page 932 cannot carry is no entry: no path of the program
        // reaches it.
        std::vector<CFoundFile> found = TheSystem().FindFiles(GetDirectory() + "\\*.app");
        const auto notCarried = [](const CFoundFile& file) { return !file.m_bNameCarried; };
        found.erase(std::remove_if(found.begin(), found.end(), notCarried), found.end());
        if (found.empty())
            return 1;

        // Names of 255 bytes or more cannot carry the one-byte length; they get the archive's
        // longer prefix, which the index reading understands, so no found file is dropped.
        CArchiveWriter index;
        index.WriteUInt32(0);
        uint32_t nNames = 0;
        for (const CFoundFile& file : found)
        {
            index.WriteString(file.m_strName);
            ++nNames;
        }
        index.PatchUInt32(0, nNames);

        const std::string strTempFolder = TheSystem().GetTempFolder();
        const std::string strTempPath = strTempFolder + kTempIndexName;
        if (strTempFolder.empty() || strTempPath.size() >= kMaxPath)
        {
            // No usable temporary folder: the index is read from memory, as it would have been
            // read back from the file.
            strIndex = index.GetBytes();
        }
        else
        {
            if (!TheSystem().WriteFile(strTempPath, index.GetBytes()))
            {
                TheSystem().RemoveFile(strTempPath);
                throw CFileException(CFileException::generic, strTempPath);
            }
            // The bytes are kept in memory, so the file goes at once: it cannot be left behind
            // when reading the entries throws.
            const bool bRead = TheSystem().ReadFile(strTempPath, strIndex);
            TheSystem().RemoveFile(strTempPath);
            if (!bRead)
                throw CFileException(CFileException::fileNotFound, strTempPath);
        }
    }
    CArchiveReader ar(std::move(strIndex));
    Serialize(ar);
    return 0;
}

void CAppCatalog::RefreshAll()
{
    for (int n = 1; n <= GetCount(); ++n)
        GetAt(n)->RefreshState(m_checkContext);
}

void CAppCatalog::SetMediumFolder(const std::string& strFolder)
{
    m_strMediumFolder = strFolder;
    m_bMediumNamed = m_bMediumKnown = true;
}

int CAppCatalog::UpdateSourceDrive()
{
    // The medium is where the catalogue was read, whatever folder of it holds the launcher (an
    // autorun may start "setup\korvelt.exe" from the root): at a drive's root that is the drive
    // ("Q:"); a medium copied into a folder, or lying in one on a share, is that folder, so its
    // set-ups and copy sources are its own and not those at the root of the drive.
    std::string strFolder = m_bMediumKnown ? m_strMediumFolder : TheSystem().GetCurrentFolder();
    if (!strFolder.empty() && FindLastBackslash(strFolder) + 1 == strFolder.size())
        strFolder.pop_back();
    m_strSourceDrive = strFolder;
    return 1;
}
