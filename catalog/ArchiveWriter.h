// Writes the framework archive encoding into a byte string in memory: little-endian integers
// and strings with the shortest length prefix. The launcher uses it only for the temporary index
// of a folder scan; the authoring tool and the tests write whole catalogues with it.
#ifndef KORVELT_CATALOG_ARCHIVEWRITER_H
#define KORVELT_CATALOG_ARCHIVEWRITER_H

#include <cstddef>
#include <cstdint>
#include <string>

class CArchiveWriter
{
public:
    void WriteUInt32(uint32_t nValue);
    void WriteInt32(int32_t nValue) { WriteUInt32(static_cast<uint32_t>(nValue)); }
    // Code page 932 bytes as they are.
    void WriteString(const std::string& strText);
    // The UTF-16LE form: the marker FF FF FE, then a length in characters and the text.
    void WriteWideString(const std::u16string& strText);
    // Overwrites four bytes already written, at byte offset nOffset.
    void PatchUInt32(std::size_t nOffset, uint32_t nValue);

    const std::string& GetBytes() const { return m_strBytes; }

private:
    void WriteLength(uint64_t nLength);

    std::string m_strBytes;
};

#endif
