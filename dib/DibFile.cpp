#include "dib/DibFile.h"

#include "dib/DibFileException.h"
#include "dib/DibHeader.h"
#include "utils/ExclusiveFile.h"

CDibFile::~CDibFile()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

std::size_t CDibFile::ReadSome(void* pBuffer, std::size_t nLength)
{
    const std::size_t nRead = std::fread(pBuffer, 1, nLength, m_pFile);
    if (nRead < nLength && std::ferror(m_pFile))
        throw CDibFileException(m_strPath);
    return nRead;
}

bool CDibFile::Read(const std::string& strPath, const BlockSource& getBlock)
{
    // The text-mode open is only an existence test: a missing file is no error.
    if (std::FILE* pProbe = std::fopen(strPath.c_str(), "r"))
        std::fclose(pProbe);
    else
        return false;

    CDibFile file;
    file.m_strPath = strPath;
    file.m_pFile = OpenExclusive(strPath.c_str());
    if (!file.m_pFile)
        throw CDibFileException(strPath);

    if (std::fseek(file.m_pFile, 0, SEEK_END) != 0)
        throw CDibFileException(strPath);
    const long nEnd = std::ftell(file.m_pFile);
    if (nEnd < 0 || std::fseek(file.m_pFile, 0, SEEK_SET) != 0)
        throw CDibFileException(strPath);
    const uint64_t nLength = static_cast<uint64_t>(nEnd);

    uint8_t header[kFileHeaderSize];
    if (file.ReadSome(header, sizeof header) < sizeof header || header[0] != 'B' || header[1] != 'M')
        return false;
    if (nLength > kMaxLength)
        return false;

    // The block is as long as the whole file although the file header is not kept in it: its
    // last 14 bytes stay zero.
    const std::size_t nBlock = static_cast<std::size_t>(nLength);
    void* pBlock = getBlock(nBlock);
    if (!pBlock)
        return false;
    const std::size_t nRest = nBlock - kFileHeaderSize;
    if (file.ReadSome(pBlock, nRest) < nRest)
        return false;
    return DibFitsInBlock(pBlock, nBlock);
}

std::optional<std::vector<uint8_t>> CDibFile::ReadToVector(const std::string& strPath)
{
    std::vector<uint8_t> block;
    const bool bRead = Read(strPath, [&block](std::size_t nLength) -> void* {
        block.assign(nLength, 0);
        return block.data();
    });
    if (!bRead)
        return std::nullopt;
    return block;
}
