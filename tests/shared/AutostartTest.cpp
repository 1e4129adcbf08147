#include "shared/CAutostart.h"
#include "framework/Utf8.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <objbase.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The list as the installer writes it: UTF-16LE after its byte order mark.
std::string Utf16Bytes(const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : Widen(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string TextOfUtf16(const std::string& bytes)
{
    if (bytes.compare(0, 2, "\xFF\xFE") != 0)
        return "not UTF-16LE with its mark: " + bytes;
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return Narrow(text);
}

bool UnderWine()
{
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string ThisExecutable()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Each test works in a folder of its own as the current directory, as the
// program does when started from elsewhere, and under shortcut names no real
// installation uses; it removes every shortcut and list it made.
class AutostartTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        char previous[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, previous);
        previousDirectory = previous;
        char temporary[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temporary);
        folder = std::string(temporary) + "ZorlaAutostart" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));
    }

    void TearDown() override
    {
        for (const CAutostart* autostart : {&first, &second})
            ::DeleteFileA(autostart->ShortcutPath().c_str());
        ::DeleteFileA(CAutostart::kUninstallList);
        ::SetCurrentDirectoryA(previousDirectory.c_str());
        ::RemoveDirectoryA(folder.c_str());
        ::CoUninitialize();
    }

    static std::string Name(const char* suffix)
    {
        return "ZorlaAutostartTest" + std::to_string(::GetCurrentProcessId()) + suffix;
    }

    std::string ListBytes() const { return TestFiles::Bytes(folder + "\\" + CAutostart::kUninstallList); }
    std::string List() const { return TextOfUtf16(ListBytes()); }
    static bool WriteList(const std::string& text)
    {
        return TestFiles::Write(CAutostart::kUninstallList, Utf16Bytes(text));
    }

    std::string previousDirectory;
    std::string folder;
    const std::string executable = ThisExecutable();
    const CAutostart first{executable, Name("A")};
    const CAutostart second{executable, Name("B")};
};

}  // namespace

TEST_F(AutostartTest, TogglingOnAndOffTwiceLeavesTheListAsItWas)
{
    const std::string original = "[Setup]\r\nDir=C:\\Zorla\r\n[Files]\r\nC:\\Zorla\\Zorla.exe=<new>\r\n";
    ASSERT_TRUE(WriteList(original));
    const std::string line = first.ShortcutPath() + "=<new>\r\n";
    for (int round = 0; round < 2; ++round) {
        ASSERT_FALSE(first.AutostartShortcutExists());
        ASSERT_TRUE(first.ToggleAutostart());
        EXPECT_TRUE(first.AutostartShortcutExists());
        EXPECT_EQ(List(), "[Setup]\r\nDir=C:\\Zorla\r\n[Files]\r\n" + line + "C:\\Zorla\\Zorla.exe=<new>\r\n");
        ASSERT_TRUE(first.ToggleAutostart());
        EXPECT_FALSE(first.AutostartShortcutExists());
        EXPECT_EQ(List(), original) << "round " << round;
    }
    EXPECT_FALSE(TestFiles::Exists(std::string(CAutostart::kUninstallList) + ".new"));
}

TEST_F(AutostartTest, ListThatHoldsTheLineAlreadyGetsNoSecondOne)
{
    const std::string original = "[Files]\r\n" + first.ShortcutPath() + "=<new>\r\nC:\\Zorla\\Zorla.exe=<new>\r\n";
    ASSERT_TRUE(WriteList(original));
    EXPECT_TRUE(SUCCEEDED(first.CreateAutostartShortcut()));
    EXPECT_EQ(List(), original);
    EXPECT_TRUE(SUCCEEDED(first.CreateAutostartShortcut()));
    EXPECT_EQ(List(), original);
    EXPECT_TRUE(first.RemoveAutostartShortcut());
    EXPECT_EQ(List(), "[Files]\r\nC:\\Zorla\\Zorla.exe=<new>\r\n");
}

TEST_F(AutostartTest, ListWithoutFilesSectionGetsOneSoTheUninstallerFindsTheShortcut)
{
    const std::string original = "C:\\Zorla\\Zorla.exe=<new>\r\n";
    ASSERT_TRUE(WriteList(original));
    ASSERT_TRUE(first.ToggleAutostart());
    EXPECT_TRUE(first.AutostartShortcutExists());
    const std::string section = "[Files]\r\n" + first.ShortcutPath() + "=<new>\r\n";
    EXPECT_EQ(List(), original + section);
    ASSERT_TRUE(first.ToggleAutostart());
    EXPECT_FALSE(first.AutostartShortcutExists());
    EXPECT_EQ(List(), original + "[Files]\r\n") << "the first line is never split";
}

TEST_F(AutostartTest, WithoutAListNoneIsMadeAndTwoNamesGiveTwoShortcuts)
{
    ASSERT_NE(first.ShortcutPath(), second.ShortcutPath());
    ASSERT_TRUE(first.ToggleAutostart());
    ASSERT_TRUE(second.ToggleAutostart());
    EXPECT_TRUE(first.AutostartShortcutExists());
    EXPECT_TRUE(second.AutostartShortcutExists());
    EXPECT_FALSE(TestFiles::Exists(CAutostart::kUninstallList));

    EXPECT_TRUE(first.RemoveAutostartShortcut());
    EXPECT_FALSE(first.AutostartShortcutExists());
    EXPECT_TRUE(second.AutostartShortcutExists());
    EXPECT_TRUE(first.RemoveAutostartShortcut()) << "nothing to delete is no failure";
}

TEST_F(AutostartTest, ShortcutLoadsBackWithTargetAndDescription)
{
    ASSERT_TRUE(SUCCEEDED(first.CreateAutostartShortcut()));
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                             reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    wchar_t widePath[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, first.ShortcutPath().c_str(), -1, widePath, MAX_PATH);
    EXPECT_TRUE(SUCCEEDED(file->Load(widePath, STGM_READ)));

    char target[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)));
    EXPECT_STREQ(target, executable.c_str());
    char description[INFOTIPSIZE] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetDescription(description, INFOTIPSIZE)));
    EXPECT_EQ(description, Name("A"));
    char arguments[MAX_PATH] = "unset";
    link->GetArguments(arguments, MAX_PATH);
    EXPECT_STREQ(arguments, "");
    file->Release();
    link->Release();
}

TEST_F(AutostartTest, StartupFolderUnderWineLiesInsideThePrefix)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char prefix[MAX_PATH] = {};
    if (!unixName || !::GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
        GTEST_SKIP() << "not under Wine with a prefix of its own";

    const std::string shortcut = first.ShortcutPath();
    const std::string startup = shortcut.substr(0, shortcut.rfind('\\'));
    EXPECT_EQ(shortcut.substr(startup.size()), "\\" + Name("A") + ".lnk");
    const DWORD attributes = ::GetFileAttributesA(startup.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << startup;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, startup.c_str(), -1, wide, MAX_PATH);
    char* onUnix = unixName(wide);
    ASSERT_NE(onUnix, nullptr);
    const std::string unixPath = onUnix;
    ::HeapFree(::GetProcessHeap(), 0, onUnix);
    std::string root = prefix;
    if (!root.empty() && root.back() == '/')
        root.pop_back();
    EXPECT_EQ(unixPath.compare(0, root.size() + 1, root + "/"), 0) << unixPath << " is not inside " << root;
}

TEST_F(AutostartTest, LettersOfOtherScriptsSurviveInTheShortcutAndTheList)
{
    TempFolder programFolder(kNonAnsiName);
    const std::string program = programFolder.File(std::string(kNonAnsiName) + ".exe");
    ASSERT_TRUE(::CopyFileW(Widen(executable).c_str(), Widen(program).c_str(), FALSE));
    const CAutostart foreign{program, Name(kNonAnsiName)};
    const std::string original = "[Files]\r\n";
    ASSERT_TRUE(WriteList(original));

    ASSERT_TRUE(foreign.ToggleAutostart());
    const std::string shortcut = foreign.ShortcutPath();
    EXPECT_NE(shortcut.find(kNonAnsiName), std::string::npos);
    EXPECT_TRUE(TestFiles::Exists(shortcut));
    EXPECT_EQ(List(), original + shortcut + "=<new>\r\n");

    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                             reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    EXPECT_TRUE(SUCCEEDED(file->Load(Widen(shortcut).c_str(), STGM_READ)));
    wchar_t description[INFOTIPSIZE] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetDescription(description, INFOTIPSIZE)));
    EXPECT_EQ(Narrow(description), Name(kNonAnsiName));
    // Wine keeps a link's target only in the ANSI code page (its ID list mangles
    // it too), so the target is checked on Windows alone.
    if (!UnderWine()) {
        wchar_t target[MAX_PATH] = {};
        EXPECT_TRUE(SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)));
        EXPECT_EQ(Narrow(target), program);
    }
    file->Release();
    link->Release();

    ASSERT_TRUE(foreign.ToggleAutostart());
    EXPECT_FALSE(TestFiles::Exists(shortcut));
    EXPECT_EQ(ListBytes(), Utf16Bytes(original));
}

// Older setups wrote the list in the ANSI code page; its lines keep their
// letters when the program first changes it.
TEST_F(AutostartTest, AnOlderAnsiListBecomesUtf16WithItsLinesKept)
{
    ASSERT_EQ(::GetACP(), 1252u) << "the planted list is in Windows-1252";
    ASSERT_TRUE(TestFiles::Write(CAutostart::kUninstallList, "[Files]\r\nC:\\Caf\xe9\\Zorla.exe=<new>\r\n"));
    ASSERT_TRUE(first.ToggleAutostart());
    EXPECT_EQ(List(), "[Files]\r\n" + first.ShortcutPath() + "=<new>\r\nC:\\Caf\u00e9\\Zorla.exe=<new>\r\n");
    ASSERT_TRUE(first.ToggleAutostart());
    EXPECT_EQ(List(), "[Files]\r\nC:\\Caf\u00e9\\Zorla.exe=<new>\r\n");
}
