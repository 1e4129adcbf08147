#include "framework/CWinApp.h"
#include "framework/ProfileSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

// The test executable's application object (tests/support/TestMain.cpp).
extern CWinApp testApp;

namespace {

// The process as before its application object is made or after it ended: the
// object is ended in place and made anew at the end of the scope.
class WithoutApplication {
public:
    WithoutApplication() { testApp.~CWinApp(); }
    ~WithoutApplication() { new (&testApp) CWinApp(); }
    WithoutApplication(const WithoutApplication&) = delete;
    WithoutApplication& operator=(const WithoutApplication&) = delete;
};

// A settings call without an application object used to give the default or
// drop the write without a word; it must stop the program's code and name the value.
TEST(ProfileSettings, WithoutApplicationEveryCallThrowsNamingTheValue)
{
    ASSERT_EQ(AfxGetApp(), &testApp);
    ProfileSettings settings;
    const struct {
        const char* expected;
        std::function<void()> call;
    } rows[] = {
        {"read \"Settings\\X\"", [&] { settings.GetInt("Settings", "X", -1); }},
        {"read \"CZorlaApp\\City\"", [&] { settings.GetString("CZorlaApp", "City", "Berlin"); }},
        {"write \"Keys\\Show\"", [&] { settings.WriteInt("Keys", "Show", 1); }},
        {"write \"Storage\\Folder\"", [&] { settings.WriteString("Storage", "Folder", "C:\\Sync"); }},
    };
    WithoutApplication noApp;
    ASSERT_EQ(AfxGetApp(), nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        try {
            row.call();
            ADD_FAILURE() << "no exception";
        } catch (const std::logic_error& error) {
            EXPECT_NE(std::string(error.what()).find(row.expected), std::string::npos) << error.what();
        }
    }
}

}  // namespace
