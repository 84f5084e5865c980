// The kind of a set-up or removal program, read from the file itself, and the switches that each
// kind understands for a run without questions. Portable: files are read through the system
// interface.
#ifndef KORVELT_UNATTEND_SETUPKIND_H
#define KORVELT_UNATTEND_SETUPKIND_H

#include <string>

enum class ESetupKind
{
    Unknown,
    Package,  // a Windows Installer package or patch (a compound file), opened by msiexec
    Nsis,     // an NSIS set-up or uninstaller (its data header follows the program)
    Inno,     // an Inno Setup set-up (its loader's offset table, or its set-up data)
};

// The kind from a file's first bytes (SetupKindOfFile reads kSetupKindBytes of them).
ESetupKind SetupKindOfBytes(const std::string& strHead);
// The kind of the file at strPath; Unknown when it cannot be read.
ESetupKind SetupKindOfFile(const std::string& strPath);
constexpr std::size_t kSetupKindBytes = 8u << 20;

// "Windows Installer", "NSIS", "Inno Setup"; "unknown".
const char* SetupKindName(ESetupKind kind);

#endif
