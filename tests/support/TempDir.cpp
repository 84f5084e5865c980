#include "tests/support/TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include "tests/support/System932.h"
#include "win/Kernel932.h"
#endif

namespace fs = std::filesystem;

// Under Windows the folders go through the system's own functions in the form the running
// Windows implements: the test programs also run as Windows 95/98, whose wide functions (which
// std::filesystem calls) are stubs.
namespace
{
#ifdef _WIN32
fs::path TempFolder()
{
    const std::string strTemp = GetTempPath932();
    if (strTemp.empty())
        throw std::runtime_error("no temporary folder");
    return fs::path(strTemp);
}

bool MakeFolderAt(const fs::path& path)
{
    return CreateFolder932(path.string());
}

void RemoveAll(const fs::path& path)
{
    RemoveTree932(path.string());
}

DWORD Attributes(const std::string& strPath)
{
    const DWORD nAttributes = GetFileAttributes932(strPath);
    if (nAttributes == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("no file " + strPath);
    return nAttributes;
}
#else
fs::path TempFolder()
{
    return fs::temp_directory_path();
}

bool MakeFolderAt(const fs::path& path)
{
    std::error_code ec;
    return fs::create_directory(path, ec);
}

void RemoveAll(const fs::path& path)
{
    // Some tests take the write permission away on purpose; without it nothing inside goes.
    std::error_code ec;
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
    {
        std::error_code ecWritable;
        if (!it->is_symlink(ecWritable))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ecWritable);
    }
    fs::remove_all(path, ec);
}
#endif
}

CTempDir::CTempDir() : CTempDir(TempFolder())
{
}

CTempDir::CTempDir(const fs::path& parent)
{
    static std::atomic<unsigned> s_nCounter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        fs::path candidate = parent / ("korvelt-test-" + std::to_string(stamp) + "-" + std::to_string(s_nCounter++));
        if (MakeFolderAt(candidate))
        {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

CTempDir::~CTempDir()
{
    RemoveAll(m_path);
}

std::string CTempDir::File(std::string_view name) const
{
    return (m_path / fs::path(std::string(name))).string();
}

std::string CTempDir::Write(std::string_view name, std::string_view bytes) const
{
    const std::string strPath = File(name);
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + strPath);
    return strPath;
}

std::string CTempDir::MakeFolder(std::string_view name) const
{
    const std::string strPath = File(name);
    if (!MakeFolderAt(strPath))
        throw std::runtime_error("cannot make " + strPath);
    return strPath;
}

void CTempDir::SetReadOnly(std::string_view name, bool bReadOnly) const
{
    const std::string strPath = File(name);
#ifdef _WIN32
    const DWORD nAttributes = Attributes(strPath);
    SetFileAttributes932(strPath, bReadOnly ? nAttributes | FILE_ATTRIBUTE_READONLY
                                            : nAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(strPath, fs::perms::owner_write, bReadOnly ? fs::perm_options::remove : fs::perm_options::add);
#endif
}

bool CTempDir::IsReadOnly(std::string_view name) const
{
    const std::string strPath = File(name);
#ifdef _WIN32
    return (Attributes(strPath) & FILE_ATTRIBUTE_READONLY) != 0;
#else
    return (fs::status(strPath).permissions() & fs::perms::owner_write) == fs::perms::none;
#endif
}

void CTempDir::SetHidden(std::string_view name) const
{
#ifdef _WIN32
    const std::string strPath = File(name);
    SetFileAttributes932(strPath, Attributes(strPath) | FILE_ATTRIBUTE_HIDDEN);
#else
    if (name.empty() || name[0] != '.')
        throw std::runtime_error("a hidden file's name begins with \".\" here: " + std::string(name));
#endif
}

void CTempDir::SetAge(std::string_view name, int nSeconds) const
{
    const std::string strPath = File(name);
#ifdef _WIN32
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const uint64_t nTime = ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                           static_cast<uint64_t>(nSeconds) * 10000000;
    const FILETIME written = {static_cast<DWORD>(nTime), static_cast<DWORD>(nTime >> 32)};
    const HANDLE hFile = CreateFile932(strPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    const bool bSet = hFile != INVALID_HANDLE_VALUE && ::SetFileTime(hFile, nullptr, nullptr, &written);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    if (!bSet)
        throw std::runtime_error("cannot date " + strPath);
#else
    fs::last_write_time(strPath, fs::file_time_type::clock::now() - std::chrono::seconds(nSeconds));
#endif
}
