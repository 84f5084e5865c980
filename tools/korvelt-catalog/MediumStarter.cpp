#include "tools/korvelt-catalog/MediumStarter.h"

#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "tools/korvelt-catalog/CatalogJson.h"
#include "tools/korvelt-catalog/HostPath.h"
#include "tools/korvelt-catalog/SourceSchema.h"
#include "tools/korvelt-catalog/TextCodec.h"

#include <cstdint>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct CStarterMessage
{
    int m_nNumber;
    const char* m_pszName;
    const char* m_pszText;  // UTF-8
};

constexpr CStarterMessage kMessages[] = {
    {MSG_CAPTION, "CAPTION", "Korvelt - Dravemont"},
    {MSG_MENU_FILE, "MENU_FILE", "ファイル(&F)"},
    {MSG_MENU_EXIT, "MENU_EXIT", "終了(&X)"},
    {MSG_MENU_SETUP, "MENU_SETUP", "セットアップ(&S)"},
    {MSG_MENU_FORCE_SETUP, "MENU_FORCE_SETUP", "インストール済みでもセットアップする(&F)"},
    {MSG_MENU_HELP, "MENU_HELP", "ヘルプ(&H)"},
    {MSG_MENU_ABOUT, "MENU_ABOUT", "バージョン情報(&A)..."},
    {MSG_BUTTON_SETUP, "BUTTON_SETUP", "セットアップ(&I)"},
    {MSG_BUTTON_UNINSTALL, "BUTTON_UNINSTALL", "アンインストール(&U)"},
    {MSG_BUTTON_TEXTFILE, "BUTTON_TEXTFILE", "説明を読む(&R)"},
    {MSG_COLUMN_TITLE, "COLUMN_TITLE", "アプリケーション"},
    {MSG_COLUMN_DESCRIPTION, "COLUMN_DESCRIPTION", "説明"},
    {MSG_COLUMN_STATUS, "COLUMN_STATUS", "状態"},
    {MSG_STATUS_INSTALLED, "STATUS_INSTALLED", "インストール済み"},
    {MSG_STATUS_PREVIOUS, "STATUS_PREVIOUS", "旧バージョンあり"},
    {MSG_REMOVED_LINE1, "REMOVED_LINE1", "ディスクが取り出されました。"},
    {MSG_REMOVED_LINE2, "REMOVED_LINE2", "インストーラーを終了します。"},
    {MSG_REMOVED_LINE3, "REMOVED_LINE3", "続けるには、ディスクを入れてからもう一度起動してください。"},
    {MSG_ABOUT_CAPTION, "ABOUT_CAPTION", "バージョン情報"},
    {MSG_ABOUT_LINE1, "ABOUT_LINE1", "Korvelt インストーラー Version 1.0 & Dravemont"},
    {MSG_ABOUT_LINE2, "ABOUT_LINE2", "Copyright (C) 2026 Korvelt"},
    {MSG_TEXTVIEW_TITLE, "TEXTVIEW_TITLE", "説明"},
    {MSG_DIALOG_OK, "DIALOG_OK", "OK"},
    {MSG_INSTALL_NOTICE_TITLE, "INSTALL_NOTICE_TITLE", "セットアップの前に"},
    {MSG_UNINSTALL_NOTICE_TITLE, "UNINSTALL_NOTICE_TITLE", "アンインストールの前に"},
    {MSG_ALREADY_RUNNING, "ALREADY_RUNNING", "インストーラーはすでに起動しています。"},
    {MSG_SETUP_FAILED, "SETUP_FAILED", "セットアッププログラムを起動できませんでした。"},
    {MSG_UNINSTALL_FAILED, "UNINSTALL_FAILED", "アンインストールを開始できませんでした。"},
    {MSG_TEXTFILE_FAILED, "TEXTFILE_FAILED", "説明ファイルを開けませんでした。"},
    {MSG_SETUP_ENDED_NOT_FOUND, "SETUP_ENDED_NOT_FOUND", "セットアップは終了しましたが、アプリケーションが見つかりません。"},
    {MSG_UNINSTALL_ENDED_STILL_FOUND, "UNINSTALL_ENDED_STILL_FOUND", "アンインストールは終了しましたが、アプリケーションはまだ見つかります。"},
    {MSG_RESTART_NEEDED, "RESTART_NEEDED", "完了するには、Windows を再起動してください。"},
    {MSG_RESTARTING, "RESTARTING", "セットアップが Windows を再起動します。"},
    {MSG_OTHER_INSTALL_RUNNING, "OTHER_INSTALL_RUNNING", "別のインストールが実行中です。それが終わってから、もう一度実行してください。"},
    {MSG_SETUP_EXIT_CODE, "SETUP_EXIT_CODE", "プログラムは次のコードで終了しました:"},
    {MSG_STATUS_INSTALLING, "STATUS_INSTALLING", "セットアップ中..."},
    {MSG_STATUS_UNINSTALLING, "STATUS_UNINSTALLING", "アンインストール中..."},
    // The Start-menu Programs folder of the Windows 95/98 family, in half-width katakana.
    {MSG_STARTMENU_PROGRAMS, "STARTMENU_PROGRAMS", "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\"},
    {MSG_CATALOG_UNREADABLE, "CATALOG_UNREADABLE", "アプリケーションの一覧を読み込めませんでした。"},
};

constexpr bool ServesEveryUsedMessage()
{
    for (const int nUsed : kUsedMessageNumbers)
    {
        bool bFound = false;
        for (const CStarterMessage& message : kMessages)
            bFound = bFound || message.m_nNumber == nUsed;
        if (!bFound)
            return false;
    }
    return true;
}
static_assert(ServesEveryUsedMessage(), "a new medium needs a text for every message number the launcher uses");

std::string Ansi(const std::string& strUtf8)
{
    std::string strAnsi;
    if (!CTextCodec::Utf8ToCp932(strUtf8, strAnsi))
        throw std::logic_error("a starter text has no code page 932 form: " + strUtf8);
    return strAnsi;
}

std::string MessageFile()
{
    std::string strText = "; Korvelt のメッセージファイル (コードページ 932)\r\n"
                          "; 前半は名前と番号、[MESSAGES] 以降は名前と文章です。\r\n\r\n";
    for (const CStarterMessage& message : kMessages)
        strText += std::string(message.m_pszName) + "=" + std::to_string(message.m_nNumber) + "\r\n";
    strText += "\r\n[MESSAGES]\r\n";
    for (const CStarterMessage& message : kMessages)
        strText += std::string(message.m_pszName) + "=" + message.m_pszText + "\r\n";
    return Ansi(strText);
}

// An 8-bit bottom-up picture with a colour table of palette.size() colours (0xRRGGBB).
template <typename TPixel>
std::string BitmapFile(uint32_t nWidth, uint32_t nHeight, const std::vector<uint32_t>& palette, TPixel pixel)
{
    const uint32_t nStride = (nWidth + 3) / 4 * 4;
    const uint32_t nColours = static_cast<uint32_t>(palette.size());
    const uint32_t nBitsOffset = 14 + 40 + 4 * nColours;
    std::string strBytes;
    const auto U16 = [&](uint32_t n) {
        strBytes += static_cast<char>(n & 0xFF);
        strBytes += static_cast<char>((n >> 8) & 0xFF);
    };
    const auto U32 = [&](uint32_t n) {
        U16(n & 0xFFFF);
        U16(n >> 16);
    };
    strBytes += "BM";
    U32(nBitsOffset + nStride * nHeight);
    U32(0);
    U32(nBitsOffset);
    U32(40);
    U32(nWidth);
    U32(nHeight);
    U16(1);
    U16(8);
    U32(0);  // uncompressed
    U32(nStride * nHeight);
    U32(3780);  // 96 dots per inch
    U32(3780);
    U32(nColours);
    U32(nColours);
    for (const uint32_t nColour : palette)
    {
        strBytes += static_cast<char>(nColour & 0xFF);
        strBytes += static_cast<char>((nColour >> 8) & 0xFF);
        strBytes += static_cast<char>((nColour >> 16) & 0xFF);
        strBytes += '\0';
    }
    for (uint32_t nRow = 0; nRow < nHeight; ++nRow)
        for (uint32_t x = 0; x < nStride; ++x)
            strBytes += static_cast<char>(x < nWidth ? pixel(x, nHeight - 1 - nRow) : 0);
    return strBytes;
}

// A quiet background tile: faint diagonal lines.
std::string BackgroundPicture()
{
    return BitmapFile(32, 32, {0xEEF2F8, 0xDDE5F0}, [](uint32_t x, uint32_t y) { return (x + y) % 8 == 0 ? 1 : 0; });
}

// The title band above the list, 507 x 64 as the window lays it out: a blue gradient with a light
// line at its foot, to be replaced by the medium's own title picture.
std::string TitlePicture()
{
    constexpr uint32_t kWidth = 507;
    constexpr uint32_t kHeight = 64;
    constexpr uint32_t kShades = 32;
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < kShades; ++i)
    {
        const uint32_t r = 0x1F + (0x6A - 0x1F) * i / (kShades - 1);
        const uint32_t g = 0x3A + (0x96 - 0x3A) * i / (kShades - 1);
        const uint32_t b = 0x68 + (0xD0 - 0x68) * i / (kShades - 1);
        palette.push_back(r << 16 | g << 8 | b);
    }
    palette.push_back(0xF0F4FA);
    return BitmapFile(kWidth, kHeight, palette, [&](uint32_t x, uint32_t y) {
        return y >= kHeight - 3 ? kShades : x * kShades / kWidth;
    });
}

std::string Placeholder(const std::string& strWhat)
{
    return std::string(CMediumStarter::kPlaceholderMark) + ": put " + strWhat +
           " here. korvelt-catalog new wrote this file so that the new medium passes check; check names it "
           "until it is replaced.\r\n";
}

// A path of the catalogue ("\apps\a", "korvelt\a.txt") relative to the medium's top folder.
std::string Relative(std::string strPath)
{
    if (!strPath.empty() && strPath[0] == '\\')
        strPath.erase(0, 1);
    for (char& ch : strPath)
        if (ch == '\\')
            ch = '/';
    return strPath;
}

nlohmann::ordered_json Entry(std::initializer_list<std::pair<const char*, nlohmann::ordered_json>> members)
{
    nlohmann::ordered_json entry = nlohmann::ordered_json::object();
    for (const auto& member : members)
        entry[member.first] = member.second;
    return entry;
}

} // namespace

bool CMediumStarter::IsPlaceholder(const std::string& strBytes)
{
    return strBytes.rfind(kPlaceholderMark, 0) == 0;
}

nlohmann::ordered_json CMediumStarter::ExampleSource()
{
    const char* const kUninstallRoot = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    entries.push_back(Entry({
        {"m_strFileName", "appa.app"},
        {"m_strTitle", "サンプル A"},
        {"m_strSubItemText", "レジストリのキーでインストール済みかを調べる例です。"},
        {"m_strTextFile", "korvelt\\appa.txt"},
        {"m_strSetupDir", "\\apps\\appa"},
        {"m_strSetupCommand", "setup.exe"},
        {"m_nCheckType", 0},
        {"m_strCheckKey", "Software\\Example\\AppA"},
        {"m_bCanUninstall", 1},
        {"m_nUninstallType", 0},
        {"m_strUninstallKey", std::string(kUninstallRoot) + "\\ExampleAppA"},
        {"m_strInstallNotice", "サンプル A をセットアップします。\r\nセットアップが終わったら、このウィンドウに戻ってください。"},
        {"m_strUninstallNotice", "サンプル A をアンインストールします。"},
    }));
    entries.push_back(Entry({
        {"m_strFileName", "appb.app"},
        {"m_strTitle", "サンプル B"},
        {"m_strSubItemText", "スタートメニューのファイルでインストール済みかを調べる例です。"},
        {"m_strTextFile", "korvelt\\appb.txt"},
        {"m_strSetupDir", "\\apps\\appb"},
        {"m_strSetupCommand", "setup.exe"},
        {"m_nCheckType", 1},
        {"m_strCheckFile", "Example\\サンプル B.lnk"},
        {"m_bCanUninstall", 1},
        {"m_nUninstallType", 1},
        {"m_strUninstallCommand", "Example\\サンプル B のアンインストール.lnk"},
        {"m_strInstallNotice", "サンプル B をセットアップします。\r\nスタートメニューの「Example」に登録されます。"},
        {"m_strUninstallNotice", "サンプル B をアンインストールします。"},
    }));
    entries.push_back(Entry({
        {"m_strFileName", "appc.app"},
        {"m_strTitle", "サンプル C 2.0"},
        {"m_strSubItemText", "旧バージョン 1.0 も見つける例です。"},
        {"m_strTextFile", "korvelt\\appc.txt"},
        {"m_strSetupDir", "\\apps\\appc"},
        {"m_strSetupCommand", "setup.exe"},
        {"m_nCheckType", 0},
        {"m_strCheckKey", "Software\\Example\\AppC\\2.0"},
        {"m_bCanUninstall", 1},
        {"m_nUninstallType", 0},
        {"m_strUninstallKey", kUninstallRoot},
        {"m_bSearchUninstallKey", 1},
        {"m_strDisplayName", "サンプル C 2.0"},
        {"m_bHasPrevRelease", 1},
        {"m_nPrevCheckType", 0},
        {"m_strPrevCheckKey", "Software\\Example\\AppC\\1.0"},
        {"m_nPrevUninstallType", 0},
        {"m_strPrevUninstallKey", std::string(kUninstallRoot) + "\\ExampleAppC1"},
        {"m_strInstallNotice", "サンプル C 2.0 をセットアップします。\r\n1.0 をお使いの場合は、先に 1.0 をアンインストールしてください。"},
        {"m_strUninstallNotice", "サンプル C をアンインストールします。"},
        {"m_bPostInstallCopy", 1},
        {"m_strPostInstallCopyList", "\\korvelt\\appc.txt>C:\\Program Files\\Example\\AppC"},
        {"m_strPrevReleaseDate", "2025/12/31"},
        {"m_strPrevReleaseFile", "C:\\Program Files\\Example\\AppC\\appc.exe"},
    }));
    nlohmann::ordered_json source;
    source["$schema"] = "catalog.schema.json";
    source["entries"] = std::move(entries);
    return source;
}

std::string CMediumStarter::PathOf(const std::string& strRelative) const
{
    if (strRelative.empty())
        return m_strDir;
    return m_strDir + kHostSeparator + HostPath(strRelative);
}

void CMediumStarter::MakeFolder(const std::string& strRelative)
{
    const fs::path path = FileSystemPath(PathOf(strRelative));
    // The top folder may be missing with its parents: each one made is taken away on failure.
    std::vector<fs::path> missing;
    std::error_code ec;
    for (fs::path p = path; !p.empty() && !fs::exists(p, ec); p = p.parent_path())
    {
        missing.push_back(p);
        if (p == p.parent_path())
            break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    {
        if (!fs::create_directory(*it, ec) && !fs::is_directory(*it))
            throw std::runtime_error("cannot create folder " + PathOf(strRelative) + ": " + ec.message());
        m_made.push_back(*it);
    }
}

void CMediumStarter::WriteFile(const std::string& strRelative, const std::string& strBytes)
{
    const std::string strPath = PathOf(strRelative);
    m_made.push_back(FileSystemPath(strPath));
    if (!TheSystem().WriteFile(strPath, strBytes))
        throw std::runtime_error("cannot write " + strPath);
}

void CMediumStarter::Undo()
{
    std::error_code ec;
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
        fs::remove(*it, ec);
    m_made.clear();
}

void CMediumStarter::Write()
{
    const fs::path top = FileSystemPath(m_strDir);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(top, ec);
    if (fs::exists(status))
    {
        if (!fs::is_directory(fs::status(top, ec)))
            throw std::runtime_error(m_strDir + ": not a folder; new writes into a missing or empty folder");
        const fs::directory_iterator first(top, ec);
        if (ec)
            throw std::runtime_error(m_strDir + ": cannot be read: " + ec.message());
        if (first != fs::directory_iterator())
            throw std::runtime_error(m_strDir + ": holds files already; new writes only into a missing or empty "
                                     "folder and has written nothing");
    }
    try
    {
        WriteAll();
    }
    catch (...)
    {
        Undo();
        throw;
    }
}

void CMediumStarter::WriteAll()
{
    MakeFolder("");
    MakeFolder("korvelt");
    MakeFolder("apps");
    WriteFile("KORVELT.MSG", MessageFile());
    WriteFile("autorun.inf", "[autorun]\r\nopen=korvelt.exe\r\nicon=korvelt.exe,0\r\nlabel=KORVELT\r\n");
    WriteFile("korvelt.exe", Placeholder("the launcher korvelt.exe of the Windows build"));
    WriteFile("tarven.dll", Placeholder("tarven.dll of the Windows build, which korvelt.exe loads"));
    WriteFile("korvelt/instapp.bmp", BackgroundPicture());
    WriteFile("korvelt/instttl.bmp", TitlePicture());

    const nlohmann::ordered_json source = ExampleSource();
    WriteFile("catalog.json", source.dump(2) + "\n");
    WriteFile("catalog.schema.json", CSourceSchema::Schema().dump(2) + "\n");
    for (const nlohmann::ordered_json& entry : source["entries"])
    {
        const std::string strTitle = entry["m_strTitle"].get<std::string>();
        WriteFile(Relative(entry["m_strTextFile"].get<std::string>()),
                  Ansi(strTitle + "\r\n\r\nこの説明は、説明ボタンで表示されます。アプリケーションの説明に書き換えてください。\r\n"));
        const std::string strSetupDir = Relative(entry["m_strSetupDir"].get<std::string>());
        MakeFolder(strSetupDir);
        WriteFile(strSetupDir + "/" + entry["m_strSetupCommand"].get<std::string>(),
                  Placeholder("the set-up program of " + entry["m_strFileName"].get<std::string>()));
        m_made.push_back(FileSystemPath(PathOf("korvelt/" + entry["m_strFileName"].get<std::string>())));
    }
    m_made.push_back(FileSystemPath(PathOf("korvelt/appdb.dat")));
    CCatalogJson::Build(source, PathOf("korvelt"));
}
