// A fresh folder under the system's temporary folder (or another one), removed with everything
// in it, read-only files included, when the holder goes: at the end of the test, however it ends.
#ifndef KORVELT_TESTS_TEMPDIR_H
#define KORVELT_TESTS_TEMPDIR_H

#include <filesystem>
#include <string>
#include <string_view>

class CTempDir
{
public:
    CTempDir();
    // Below parent instead, for tests that need the folder on a drive of their choosing.
    explicit CTempDir(const std::filesystem::path& parent);
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Full path of a file inside the folder, as a narrow string.
    std::string File(std::string_view name) const;
    // Writes bytes exactly as given; returns the file's full path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    // Makes a folder inside (its parent must be there); returns its full path.
    std::string MakeFolder(std::string_view name) const;
    // Gives a file inside the folder the read-only attribute or takes it away; and reads it.
    void SetReadOnly(std::string_view name, bool bReadOnly) const;
    bool IsReadOnly(std::string_view name) const;
    // Gives a file the hidden attribute. The host's hidden files are those whose names begin with
    // ".", which this cannot give: there a name without one throws.
    void SetHidden(std::string_view name) const;
    // Sets a file's last-write time to nSeconds before now.
    void SetAge(std::string_view name, int nSeconds) const;

private:
    std::filesystem::path m_path;
};

#endif
