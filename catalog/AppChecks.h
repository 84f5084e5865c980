// The installed-state and platform checks that do not belong to one entry: platform family,
// "%OS%=" qualifiers, registry keys, Start-menu files and the previous-release date test.
// None of them reports errors: every failure is a negative answer. The registry, Start-menu and
// date checks take the Start-menu piece and the observer from the caller's context.
#ifndef KORVELT_CATALOG_APPCHECKS_H
#define KORVELT_CATALOG_APPCHECKS_H

#include "sys/System.h"

#include <string>
#include <vector>

class CAppEntry;
struct CCheckContext;

// One place where a registry key may be: a root and one of its views.
struct CRegPlace
{
    CSystem::ERoot m_root;
    CSystem::ERegView m_view;
};

// Where a Start-menu path is looked for.
enum class EStartMenuPlace
{
    BelowWindows,    // the Programs folder below the Windows folder
    CommonPrograms,  // the shell's Programs folder of all users
    UserPrograms,    // the shell's Programs folder of the current user
};

struct CProgramsFolder
{
    EStartMenuPlace m_place;
    std::string m_strPath;
};

enum : int
{
    PLATFORM_WIN95 = 1,  // Windows 95/98 family
    PLATFORM_WINNT = 2,  // Windows NT family
};

// Start-menu Programs folder pieces in code page 932 (half-width katakana). The folder is named
// twice on purpose: the file check takes its piece from the message file (message 87, which a
// medium for another language changes), while the path of the "cmd /c" or "start" removal keeps
// these fixed pieces, as the media made for the launcher expect of it.
extern const char kStartMenuPrograms95[];  // "\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\"
extern const char kStartMenuProgramsNT[];  // "\Profiles\All Users\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\"
extern const char kAllUsersProfileNT[];    // "\Profiles\All Users"

int GetPlatform();

// The Windows NT family from version 5 on. What Windows 2000 changed (the shell's own Start-menu
// folders, uninstall entries of the current user) is looked at only there, so that Windows
// 95/98 and NT 4 see exactly what they always saw.
bool IsWindows2000OrLater();

// The places a key is looked for, in order: local machine, then (when asked for) current user;
// under WOW64 each root in the view this program sees and then in the other.
std::vector<CRegPlace> RegistryPlaces(bool bCurrentUser);

// Removes a trailing "%OS%=" qualifier (and trailing white space) from s and returns its code:
// 1 for "95" or "98", 2 for "NT", 0 for none or any other text.
int TakeOsQualifier(std::string& s);

// Nonzero if the key exists under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER (in either registry
// view under WOW64), unless its qualifier names the other platform. An empty key never exists.
int RegistryKeyExists(const CCheckContext& context, const std::string& strKey);

// Nonzero if a file or folder matches the path below the All Users Start-menu Programs folder
// below the Windows folder (the context's piece names that folder); on Windows 2000 and later,
// failing that, below the shell's common Programs folder or the user's own.
int StartMenuFileExists(const CCheckContext& context, const std::string& strPath);

// The Programs folders of Windows 2000 and later that the system has, the common one first;
// none on older systems.
std::vector<CProgramsFolder> ShellProgramsFolders();

// True if a file or folder matches the path (wildcards honoured).
bool PathMatchesAny(const std::string& strPath);

// PathMatchesAny for a path below a Start-menu Programs folder, told to the context's observer.
bool StartMenuPathMatches(const CCheckContext& context, EStartMenuPlace where, const std::string& strPath);

// Nonzero if the entry's reference file was last written before 23:59:54 local time on its
// date. A date that is not a valid date between 1980 and 2107 gives 0.
int IsPrevReleaseFile(const CCheckContext& context, const CAppEntry& entry);

#endif
