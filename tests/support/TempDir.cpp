#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

CTempDir::CTempDir() : CTempDir(fs::temp_directory_path())
{
}

CTempDir::CTempDir(const fs::path& parent)
{
    static std::atomic<unsigned> s_nCounter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        fs::path candidate = parent / ("korvelt-test-" + std::to_string(stamp) + "-" + std::to_string(s_nCounter++));
        std::error_code ec;
        if (fs::create_directory(candidate, ec))
        {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

CTempDir::~CTempDir()
{
    // Windows does not delete a read-only file, and some tests make one on purpose.
    std::error_code ec;
    for (fs::recursive_directory_iterator it(m_path, ec), end; !ec && it != end; it.increment(ec))
    {
        std::error_code ecWritable;
        if (!it->is_symlink(ecWritable))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ecWritable);
    }
    fs::remove_all(m_path, ec);
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
