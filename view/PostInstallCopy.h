// The post-install copy: an entry's copy list, one "source>target folder" line each (CR LF
// between lines), read into the files it copies and the lines it skips, and the copy itself.
// Portable: files go through the system interface. The launcher and `korvelt-catalog check` read
// a list through the same parser, so the check reports exactly the lines that the launcher skips.
#ifndef KORVELT_VIEW_POSTINSTALLCOPY_H
#define KORVELT_VIEW_POSTINSTALLCOPY_H

#include "sys/System.h"

#include <string>
#include <vector>

// Why a line of a copy list copies nothing.
enum class ECopySkip
{
    None,           // the line copies its file
    NoArrow,        // no ">" between the source and the target folder
    NoName,         // the source's file name is empty or made of dots and blanks ("", ".", "..")
    NameWithDrive,  // the file's name holds a ":" (a drive, or a stream of another file)
    HalfCharacter,  // the target folder ends in the first byte of a double-byte character
    LeavesMedium,   // the source climbs above the medium's root ("\..\x") or names a drive
    DeviceName,     // the file's name, or a folder of the source or target, is a device (NUL, COM1)
    DevicePath,     // the target folder lies in the system's device namespace ("\\\\.\\", "\\\\?\\")
    TargetRelative, // the target folder is empty or relative ("", "App\\Bin", "C:App"): it would be
                    // the launcher's current folder or a drive's, or a folder below it
    HoldsNul,       // the line holds a NUL byte, where the system would end the path
    SourceMissing,  // the medium has no such file: only the medium check looks
};

// One line of a copy list as the launcher reads it.
struct CCopyLine
{
    std::string m_strLine;    // as written
    std::string m_strSource;  // the source's path on the medium, as written
    std::string m_strTo;      // the file to write: the target folder, "\", the source's file name
    ECopySkip m_skip = ECopySkip::None;
};

// The lines of a copy list, in order. A line ends at CR LF, or at a CR or LF alone; a list that
// ends in CR LF has no empty last line.
std::vector<CCopyLine> ParseCopyList(const std::string& strList);

// A path on the medium whose folder is strMedium ("Q:", "C:\Users\bob\disc"): a set-up folder,
// a "%DIRECT_FROM_CD%=" removal or a copy source. Catalogues write it from the root ("\apps");
// one written without that backslash lies inside the medium as well, never in a folder beside it
// ("disc" + "apps") nor in the current folder of the medium's drive ("Q:apps").
std::string PathOnMedium(const std::string& strMedium, const std::string& strPath);

// Copies every line of a copy list that is not skipped from the medium whose folder is
// strDrive; an empty strDrive (the medium's folder is not known) copies nothing. replace says
// which existing targets a copy may take the place of (a copy made at start-up replaces only
// older files). Always 1: failures are skipped silently.
int CopyFileList(const std::string& strList, const std::string& strDrive, CSystem::EReplace replace);

// The same, telling how many files of how many lines were copied.
struct CCopyCount
{
    int m_nCopied = 0;
    int m_nLines = 0;
};
CCopyCount CopyFileListCounted(const std::string& strList, const std::string& strDrive, CSystem::EReplace replace);

// One file, through the system's copy (never over a read-only or hidden target); the copy is
// left writable. False when nothing was copied.
bool CopyOneFile(const std::string& strFrom, const std::string& strTo, CSystem::EReplace replace);

#endif
