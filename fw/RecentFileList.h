// The recent-file list of the private profile: up to a fixed number of full paths, newest
// first, without duplicates (compared without regard to ASCII case). Portable.
#ifndef KORVELT_FW_RECENTFILELIST_H
#define KORVELT_FW_RECENTFILELIST_H

#include <string>
#include <string_view>
#include <vector>

class CRecentFileList
{
public:
    explicit CRecentFileList(size_t nSize) : m_nSize(nSize) {}

    size_t GetSize() const { return m_nSize; }
    // The entries, newest first; never more than GetSize().
    const std::vector<std::string>& GetNames() const { return m_names; }

    // Puts the path in front, removing an earlier copy of it and the oldest entry beyond the size.
    void Add(std::string_view strPath);
    // Entries as read from the profile (entry 1 first); empty ones are skipped.
    void SetNames(const std::vector<std::string>& names);

    // Code page 932 paths compare equal when they differ only in the case of ASCII letters; the
    // second byte of a double-byte character is compared exactly.
    static bool SamePath(std::string_view a, std::string_view b);

private:
    size_t m_nSize;
    std::vector<std::string> m_names;
};

#endif
