// Paths in the tool's messages, written the way the medium maker's shell writes them: the
// catalogue names files with backslashes, and the tool runs on Linux as well as on Windows.
#ifndef KORVELT_TOOLS_HOSTPATH_H
#define KORVELT_TOOLS_HOSTPATH_H

#include <filesystem>
#include <string>

#ifdef _WIN32
constexpr char kHostSeparator = '\\';
#else
constexpr char kHostSeparator = '/';
#endif

// Every separator of either kind becomes the host's. UTF-8 text only: in code page 932 a trail
// byte may be 0x5C.
inline std::string HostPath(std::string strUtf8)
{
    for (char& ch : strUtf8)
        if (ch == '\\' || ch == '/')
            ch = kHostSeparator;
    return strUtf8;
}

// A path from the command line for std::filesystem. On Windows the command line comes in the
// ANSI code page, and a narrow std::filesystem path would be read as UTF-8.
std::filesystem::path FileSystemPath(const std::string& strCommandLinePath);

#endif
