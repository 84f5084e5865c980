// Reads the framework archive encoding from bytes held in memory: little-endian integers and
// length-prefixed strings (code page 932 bytes, or UTF-16LE converted to code page 932). Owns
// the bytes. Every read that runs past the end throws CArchiveException.
#ifndef KORVELT_CATALOG_ARCHIVEREADER_H
#define KORVELT_CATALOG_ARCHIVEREADER_H

#include <cstddef>
#include <cstdint>
#include <string>

class CArchiveReader
{
public:
    explicit CArchiveReader(std::string strBytes) : m_strBytes(std::move(strBytes)) {}

    uint32_t ReadUInt32();
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
    std::string ReadString();

    // True when no byte is left; a read that failed leaves nothing.
    bool AtEnd() const { return m_nPos >= m_strBytes.size(); }
    std::size_t GetRemaining() const { return m_strBytes.size() - m_nPos; }

private:
    uint8_t ReadByte();
    uint16_t ReadUInt16();
    // The length of the string that follows; bWide is set for the UTF-16 form.
    uint32_t ReadLength(bool& bWide);
    // Takes nBytes bytes, or consumes the rest and throws when fewer are left. Checked before
    // anything is allocated, so a hostile length costs nothing.
    const char* Take(uint64_t nBytes);

    std::string m_strBytes;
    std::size_t m_nPos = 0;
};

#endif
