#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Utf8.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Keys of copies named in other scripts, and the strings kept in them, such as
// a city's name.
TEST(Registry, KeysNamesAndStringsKeepLettersOfEveryScript)
{
    const std::string path = std::string("Software\\Velloran Software\\framework_tests ") + kNonAnsiName;
    const std::string name = std::string(kNonAnsiName) + " value";
    const std::string text =
        "\xC5\x81\xC3\xB3\x64\xC5\xBA \xD0\x96 \xE6\x97\xA5 \xF0\x9F\x98\x80";  // Łódź Ж 日 U+1F600
    Registry::DeleteTree(path);

    ASSERT_TRUE(Registry::WriteString(path, name.c_str(), text));
    std::string read;
    ASSERT_TRUE(Registry::ReadString(path, name.c_str(), read));
    EXPECT_EQ(read, text);

    // Stored as those characters, as any other program reads them.
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_QUERY_VALUE, &raw), ERROR_SUCCESS);
    RegistryKey key(raw);
    wchar_t stored[64] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(
        ::RegQueryValueExW(key.get(), Widen(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), Widen(text));

    ASSERT_TRUE(Registry::WriteDword(path, "LC", 7));
    DWORD number = 0;
    EXPECT_TRUE(Registry::ReadDword(path, "LC", number));
    EXPECT_EQ(number, 7u);

    EXPECT_TRUE(Registry::DeleteValue(path, name.c_str()));
    EXPECT_FALSE(Registry::ReadString(path, name.c_str(), read));
    key.reset();
    EXPECT_TRUE(Registry::DeleteTree(path));
    EXPECT_FALSE(Registry::ReadDword(path, "LC", number));
}

}  // namespace
