#include "sys/HostSystem.h"

#include "sys/DosTime.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#if !defined(_WIN32)
#include <cerrno>
#include <iconv.h>
#endif

namespace fs = std::filesystem;

namespace {

// The file clock has no conversion to the system clock before C++20; going through both clocks'
// "now" leaves a jitter of microseconds, so the result is rounded to whole seconds (tests set
// whole-second times and compare them against second boundaries).
uint64_t ToFileTime(fs::file_time_type time)
{
    constexpr int64_t kEpochDelta = 11644473600LL;  // seconds from 1601 to 1970
    const auto sys = time - fs::file_time_type::clock::now() + std::chrono::system_clock::now();
    const int64_t nMillis = std::chrono::duration_cast<std::chrono::milliseconds>(sys.time_since_epoch()).count();
    const int64_t nSeconds = (nMillis + (nMillis >= 0 ? 500 : -500)) / 1000;
    return static_cast<uint64_t>((nSeconds + kEpochDelta) * 10000000LL);
}

} // namespace

bool MatchesWildcard(const std::string& strName, const std::string& strPattern)
{
    std::size_t n = 0, p = 0, nStarP = std::string::npos, nStarN = 0;
    while (n < strName.size())
    {
        if (p < strPattern.size() && (strPattern[p] == '?' || ToLowerAscii(strPattern[p]) == ToLowerAscii(strName[n])))
        {
            ++n;
            ++p;
        }
        else if (p < strPattern.size() && strPattern[p] == '*')
        {
            nStarP = p++;
            nStarN = n;
        }
        else if (nStarP != std::string::npos)
        {
            p = nStarP + 1;
            n = ++nStarN;
        }
        else
        {
            return false;
        }
    }
    while (p < strPattern.size() && strPattern[p] == '*')
        ++p;
    return p == strPattern.size();
}

CHostSystem::CHostSystem()
{
    m_strTempPath = fs::temp_directory_path().string() + "/";
}

std::string CHostSystem::NativePath(const std::string& strPath)
{
    std::string strOut;
    strOut.reserve(strPath.size());
    for (std::size_t i = 0; i < strPath.size(); ++i)
    {
        const unsigned char ch = static_cast<unsigned char>(strPath[i]);
        if (IsCp932LeadByte(ch) && i + 1 < strPath.size())
        {
            strOut += strPath[i];
            strOut += strPath[++i];  // a trail byte may be 0x5C and is no separator
        }
        else
        {
            strOut += ch == '\\' ? '/' : strPath[i];
        }
    }
    return strOut;
}

bool CHostSystem::ReadFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes)
{
    const fs::path path = NativePath(strPath);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // Whole blocks rather than a character at a time: catalogues of thousands of files are read
    // through here.
    std::string strRead;
    char buffer[64 * 1024];
    while (strRead.size() < nMaxBytes &&
           (in.read(buffer, static_cast<std::streamsize>(std::min<std::size_t>(sizeof buffer, nMaxBytes - strRead.size()))) ||
            in.gcount() > 0))
        strRead.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return false;
    strBytes.swap(strRead);
    return true;
}

bool CHostSystem::WriteFile(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream out(NativePath(strPath), std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return static_cast<bool>(out.flush());
}

bool CHostSystem::AppendFile(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream out(NativePath(strPath), std::ios::binary | std::ios::app);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return static_cast<bool>(out.flush());
}

bool CHostSystem::RemoveFile(const std::string& strPath)
{
    std::error_code ec;
    return fs::remove(NativePath(strPath), ec);
}

bool CHostSystem::CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace replace)
{
    // As on Windows: a read-only or hidden target stays (here: no write permission for its
    // owner, or a name that begins with "."), an older-only copy keeps a target that is not older
    // than its source, and the copy goes through a new file beside the target, so that a failed
    // copy leaves the target as it was.
    std::error_code ec;
    const fs::path from = NativePath(strFrom);
    const fs::path to = NativePath(strTo);
    const fs::file_time_type sourceTime = fs::last_write_time(from, ec);
    if (ec)
        return false;
    const fs::file_status target = fs::status(to, ec);
    if (fs::exists(target))
    {
        const bool bReadOnly = (target.permissions() & fs::perms::owner_write) == fs::perms::none;
        const bool bHidden = to.filename().string().rfind('.', 0) == 0;
        if (!fs::is_regular_file(target) || bReadOnly || bHidden)
            return false;
        const uint64_t nTargetTime = ToFileTime(fs::last_write_time(to, ec));
        if (replace == EReplace::Older && !IsOlderFileTime(nTargetTime, ToFileTime(sourceTime)))
            return false;
    }
    const fs::path temp = to.parent_path() / (".kvt-" + to.filename().string());
    if (!fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec))
    {
        fs::remove(temp, ec);
        return false;
    }
    // The system's copy keeps the source's last-write time, which the next older-only copy reads.
    fs::last_write_time(temp, sourceTime, ec);
    fs::permissions(temp, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::rename(temp, to, ec);
    if (ec)
    {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

std::vector<CFoundFile> CHostSystem::FindFiles(const std::string& strPattern)
{
    std::vector<CFoundFile> found;
    const std::string strNative = NativePath(strPattern);
    const std::size_t nSlash = strNative.rfind('/');
    const std::string strFolder = nSlash == std::string::npos ? "." : strNative.substr(0, nSlash + 1);
    const std::string strName = nSlash == std::string::npos ? strNative : strNative.substr(nSlash + 1);
    std::error_code ec;
    for (fs::directory_iterator it(strFolder, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string strEntry = it->path().filename().string();
        if (!MatchesWildcard(strEntry, strName))
            continue;
        CFoundFile file;
        file.m_strName = strEntry;
        file.m_bDirectory = it->is_directory(ec);
        file.m_nLastWriteTime = ToFileTime(it->last_write_time(ec));
        found.push_back(file);
    }
    return found;
}

std::string CHostSystem::Normalize(const std::string& strKey)
{
    std::string strOut;
    for (char ch : strKey)
    {
        if (ch == '\\' && (strOut.empty() || strOut.back() == '\\'))
            continue;
        strOut += ToLowerAscii(ch);
    }
    while (!strOut.empty() && strOut.back() == '\\')
        strOut.pop_back();
    return strOut;
}

CHostSystem::CKey* CHostSystem::FindKey(ERoot root, ERegView view, const std::string& strKey)
{
    const auto it = m_keys.find({root, view, Normalize(strKey)});
    return it == m_keys.end() ? nullptr : &it->second;
}

void CHostSystem::AddRegKey(ERoot root, const std::string& strKey, ERegView view)
{
    std::string strPath;
    std::string strParent;
    std::istringstream parts(strKey);
    std::string strPart;
    while (std::getline(parts, strPart, '\\'))
    {
        if (strPart.empty())
            continue;
        strPath = strPath.empty() ? strPart : strPath + "\\" + strPart;
        const KeyId id{root, view, Normalize(strPath)};
        if (m_keys.count(id) == 0)
        {
            m_keys[id];
            if (!strParent.empty())
                m_keys[{root, view, Normalize(strParent)}].m_subKeys.push_back(strPart);
        }
        strParent = strPath;
    }
}

void CHostSystem::SetRegString(ERoot root, const std::string& strKey, const std::string& strValue,
                               const std::string& strData, ERegView view)
{
    AddRegKey(root, strKey, view);
    FindKey(root, view, strKey)->m_values[Normalize(strValue)] = strData;
}

void CHostSystem::SetRegExpandString(ERoot root, const std::string& strKey, const std::string& strValue,
                                     const std::string& strData, ERegView view)
{
    SetRegString(root, strKey, strValue, strData, view);
    FindKey(root, view, strKey)->m_expandable.insert(Normalize(strValue));
}

void CHostSystem::RemoveRegKey(ERoot root, const std::string& strKey, ERegView view)
{
    const std::string strNorm = Normalize(strKey);
    for (auto it = m_keys.begin(); it != m_keys.end();)
    {
        const std::string& strPath = std::get<2>(it->first);
        const bool bUnder = std::get<0>(it->first) == root && std::get<1>(it->first) == view &&
            (strPath == strNorm || strPath.rfind(strNorm + "\\", 0) == 0);
        it = bUnder ? m_keys.erase(it) : std::next(it);
    }
    const std::size_t nSlash = strNorm.rfind('\\');
    if (nSlash != std::string::npos)
    {
        if (CKey* pParent = FindKey(root, view, strNorm.substr(0, nSlash)))
        {
            auto& subs = pParent->m_subKeys;
            subs.erase(std::remove_if(subs.begin(), subs.end(), [&](const std::string& s) {
                return Normalize(s) == strNorm.substr(nSlash + 1);
            }), subs.end());
        }
    }
}

bool CHostSystem::RegKeyExists(ERoot root, const std::string& strKey, ERegView view)
{
    return FindKey(root, view, strKey) != nullptr;
}

bool CHostSystem::RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                                 std::size_t nMaxBytes, std::string& strOut, ERegView view)
{
    const CKey* pKey = FindKey(root, view, strKey);
    if (!pKey)
        return false;
    const auto it = pKey->m_values.find(Normalize(strValue));
    if (it == pKey->m_values.end() || it->second.size() + 1 > nMaxBytes)
        return false;
    strOut = it->second;
    return true;
}

bool CHostSystem::RegQueryCommand(ERoot root, const std::string& strKey, const std::string& strValue,
                                  std::size_t nMaxBytes, std::string& strOut, ERegView view)
{
    std::string strStored;
    if (!RegQueryString(root, strKey, strValue, nMaxBytes, strStored, view))
        return false;
    if (FindKey(root, view, strKey)->m_expandable.count(Normalize(strValue)) == 0)
    {
        strOut = strStored;
        return true;
    }
    // As ExpandEnvironmentStrings: "%NAME%" of a set variable is replaced, anything else stays.
    std::string strExpanded;
    for (std::size_t nPos = 0; nPos < strStored.size();)
    {
        const std::size_t nOpen = strStored.find('%', nPos);
        const std::size_t nClose = nOpen == std::string::npos ? std::string::npos : strStored.find('%', nOpen + 1);
        if (nClose == std::string::npos)
        {
            strExpanded += strStored.substr(nPos);
            break;
        }
        std::string strName = strStored.substr(nOpen + 1, nClose - nOpen - 1);
        std::transform(strName.begin(), strName.end(), strName.begin(), [](char ch) { return ToUpperAscii(ch); });
        const auto it = m_environment.find(strName);
        strExpanded += strStored.substr(nPos, nOpen - nPos);
        if (it == m_environment.end())
        {
            strExpanded += '%';
            nPos = nOpen + 1;
            continue;
        }
        strExpanded += it->second;
        nPos = nClose + 1;
    }
    strOut = strExpanded;
    return true;
}

CSystem::EEnumResult CHostSystem::RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                                std::size_t nMaxChars, std::string& strName, ERegView view)
{
    const CKey* pKey = FindKey(root, view, strKey);
    if (!pKey || nIndex >= pKey->m_subKeys.size())
        return EEnumResult::NoMore;
    const std::string& strSub = pKey->m_subKeys[nIndex];
    std::u16string strWide;
    if (!Cp932ToUtf16(strSub, strWide))
        return EEnumResult::NotCp932;
    if (strSub.size() > nMaxChars)
        return EEnumResult::TooLong;
    strName = strSub;
    return EEnumResult::Found;
}

bool CHostSystem::GetShellFolder(EShellFolder folder, std::string& strPath)
{
    const std::string& strFolder = folder == EShellFolder::CommonPrograms ? m_strCommonPrograms : m_strPrograms;
    if (strFolder.empty())
        return false;
    strPath = strFolder;
    return true;
}

bool CHostSystem::DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime)
{
    return DosToFileTime(nDate, nTime, nFileTime);
}

uint64_t CHostSystem::FileTimeToLocalFileTime(uint64_t nFileTime)
{
    return static_cast<uint64_t>(static_cast<int64_t>(nFileTime) + m_nLocalOffset);
}

void CHostSystem::Pause(uint32_t nMilliseconds)
{
    m_nNow += uint64_t{nMilliseconds} * 10000;
    if (m_onPause)
        m_onPause();
}

CSystem::EStartResult CHostSystem::StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                                                const char* pszFolder, bool bDetached,
                                                std::unique_ptr<CFollowedProcess>* pFollow)
{
    m_started.push_back({strCommandLine, pszFolder != nullptr, pszFolder ? pszFolder : "", bDetached, strProgram});
    if (pFollow != nullptr && m_startResult == EStartResult::Started)
        *pFollow = m_makeFollowed ? m_makeFollowed(strCommandLine) : std::move(m_pNextFollowed);
    return m_startResult;
}

bool CHostSystem::StartElevated(const std::string& strProgram, const std::string& strParameters,
                                const char* pszFolder, std::unique_ptr<CFollowedProcess>* pFollow)
{
    m_startedElevated.push_back({strProgram, strParameters, pszFolder != nullptr, pszFolder ? pszFolder : ""});
    if (pFollow != nullptr && m_bElevatedStartSucceeds)
        *pFollow = std::move(m_pNextFollowed);
    return m_bElevatedStartSucceeds;
}

#if defined(_WIN32)

// The Windows tree has no iconv; the platform's own conversion serves the host system there.
CSystem& DefaultSystem();

bool CHostSystem::Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut)
{
    return DefaultSystem().Utf16ToCp932(strWide, bExact, strOut);
}

bool CHostSystem::Cp932ToUtf16(const std::string& strText, std::u16string& strOut)
{
    return DefaultSystem().Cp932ToUtf16(strText, strOut);
}

#else

namespace {

// One iconv conversion descriptor, closed on every path.
class CIconv
{
public:
    CIconv(const char* pszTo, const char* pszFrom) : m_cd(iconv_open(pszTo, pszFrom)) {}
    ~CIconv()
    {
        if (IsValid())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    bool IsValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Runs iconv over the whole input. A character it cannot convert is replaced by "?" when
// nReplaceStep is nonzero (skipping that many input bytes, or a whole surrogate pair), else the
// conversion fails.
bool Convert(const char* pszTo, const char* pszFrom, const std::string& strIn, std::size_t nReplaceStep,
             std::string& strOut)
{
    CIconv cd(pszTo, pszFrom);
    if (!cd.IsValid())
        return false;
    std::string strResult;
    char buffer[4096];
    char* pIn = const_cast<char*>(strIn.data());
    std::size_t nIn = strIn.size();
    while (nIn > 0)
    {
        char* pOut = buffer;
        std::size_t nOut = sizeof buffer;
        const std::size_t nDone = iconv(cd.Get(), &pIn, &nIn, &pOut, &nOut);
        strResult.append(buffer, static_cast<std::size_t>(pOut - buffer));
        if (nDone != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        if (nReplaceStep == 0)
            return false;
        strResult += '?';
        std::size_t nSkip = nReplaceStep;
        if (nReplaceStep == 2 && nIn >= 4)
        {
            // A high surrogate followed by a low one is one character.
            const unsigned nFirst = static_cast<unsigned char>(pIn[0]) | static_cast<unsigned char>(pIn[1]) << 8;
            const unsigned nSecond = static_cast<unsigned char>(pIn[2]) | static_cast<unsigned char>(pIn[3]) << 8;
            if (nFirst >= 0xD800 && nFirst < 0xDC00 && nSecond >= 0xDC00 && nSecond < 0xE000)
                nSkip = 4;
        }
        nSkip = std::min(nSkip, nIn);
        pIn += nSkip;
        nIn -= nSkip;
    }
    strOut.swap(strResult);
    return true;
}

} // namespace

bool CHostSystem::Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut)
{
    std::string strBytes;
    strBytes.reserve(strWide.size() * 2);
    for (char16_t ch : strWide)
    {
        strBytes += static_cast<char>(ch & 0xFF);
        strBytes += static_cast<char>(ch >> 8);
    }
    return Convert("CP932", "UTF-16LE", strBytes, bExact ? 0 : 2, strOut);
}

bool CHostSystem::Cp932ToUtf16(const std::string& strText, std::u16string& strOut)
{
    std::string strBytes;
    if (!Convert("UTF-16LE", "CP932", strText, 0, strBytes))
        return false;
    std::u16string strWide;
    strWide.reserve(strBytes.size() / 2);
    for (std::size_t i = 0; i + 1 < strBytes.size(); i += 2)
        strWide += static_cast<char16_t>(static_cast<unsigned char>(strBytes[i]) |
                                         static_cast<unsigned char>(strBytes[i + 1]) << 8);
    strOut.swap(strWide);
    return true;
}

CSystem& DefaultSystem()
{
    static CHostSystem s_system;
    return s_system;
}
#endif
