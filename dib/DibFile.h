// Reads a bitmap file ("BM") into a caller's zero-filled block as long as the file, as a packed
// DIB without the 14-byte file header. Owns the open file for the span of one Read.
#ifndef KORVELT_DIB_DIBFILE_H
#define KORVELT_DIB_DIBFILE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDibFile
{
public:
    // Hands out zero-filled writable memory of the given length that stays valid until Read
    // returns, or null when there is none to be had.
    using BlockSource = std::function<void*(std::size_t nLength)>;

    // Longest file taken; longer ones are treated as memory that cannot be had.
    static constexpr uint64_t kMaxLength = 0x7FFFFFFF;

    // True when the file was read whole into a block from getBlock and the bitmap in it fits
    // that block (DibFitsInBlock). False, quietly, when the file does not exist, is shorter
    // than the file header, does not begin with "BM", ends early, holds a bitmap that claims
    // more than the file holds, or no block could be had. Throws CDibFileException when a file
    // that exists cannot be opened exclusively (another process holds it open) or a read fails.
    static bool Read(const std::string& strPath, const BlockSource& getBlock);

    // The same into a vector: the block that the launcher would hold, or nothing.
    static std::optional<std::vector<uint8_t>> ReadToVector(const std::string& strPath);

    static constexpr std::size_t kFileHeaderSize = 14;

private:
    CDibFile() = default;
    ~CDibFile();
    CDibFile(const CDibFile&) = delete;
    CDibFile& operator=(const CDibFile&) = delete;

    // Reads up to nLength bytes; returns how many arrived. Throws on a read error.
    std::size_t ReadSome(void* pBuffer, std::size_t nLength);

    std::string m_strPath;
    std::FILE* m_pFile = nullptr;
};

#endif
