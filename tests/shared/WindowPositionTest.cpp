#include "shared/WindowPosition.h"
#include "framework/CWinApp.h"
#include "framework/ProfileSettings.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

const char kSection[] = "PositionTest";

class WindowPositionTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = AfxGetApp()->m_pszAppName;
        TestRegistry::DeleteApp(app);
        AfxGetApp()->SetRegistryKey("Velloran Software");
        window = CreateWindowExA(0, "Static", "", WS_POPUP, 5, 5, 440, 444, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        screenX = GetSystemMetrics(SM_CXSCREEN);
        screenY = GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        TestRegistry::DeleteApp(app);
    }

    ProfileSettings settings;

    void Store(int x, int y)
    {
        TestRegistry::WriteDword(app, kSection, "WndX", static_cast<DWORD>(x));
        TestRegistry::WriteDword(app, kSection, "WndY", static_cast<DWORD>(y));
    }

    POINT Restore(int x, int y)
    {
        RestoreWindowPosition(settings, window, kSection, x, y, true);
        RECT rect{};
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, x);
        EXPECT_EQ(rect.top, y);
        EXPECT_EQ(rect.right - rect.left, 440);
        return POINT{x, y};
    }

    std::string app;
    HWND window = nullptr;
    int screenX = 0, screenY = 0;
};

}  // namespace

TEST_F(WindowPositionTest, MissingValuesGiveTheDefaultsAndMinusOneCentres)
{
    POINT p = Restore(100, 120);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 120);
    p = Restore(-1, -1);
    EXPECT_EQ(p.x, (screenX - 440) / 2);
    EXPECT_EQ(p.y, (screenY - 444) / 2);
}

TEST_F(WindowPositionTest, StoredPositionWinsAndNegativeValuesStay)
{
    Store(-300, 60);
    POINT p = Restore(100, 120);
    EXPECT_EQ(p.x, -300);
    EXPECT_EQ(p.y, 60);
}

TEST_F(WindowPositionTest, PositionNearTheRightOrBottomEdgeCentresBothCoordinates)
{
    Store(screenX - 9, 60);
    POINT p = Restore(100, 120);
    EXPECT_EQ(p.x, (screenX - 440) / 2);
    EXPECT_EQ(p.y, (screenY - 444) / 2);

    Store(30, screenY - 9);
    p = Restore(100, 120);
    EXPECT_EQ(p.x, (screenX - 440) / 2);
    EXPECT_EQ(p.y, (screenY - 444) / 2);

    Store(screenX - 10, screenY - 10);
    p = Restore(100, 120);
    EXPECT_EQ(p.x, screenX - 10);
    EXPECT_EQ(p.y, screenY - 10);
}

TEST_F(WindowPositionTest, SaveWritesTheScreenCornerThatRestoreReadsBack)
{
    SetWindowPos(window, nullptr, 321, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SaveWindowPosition(settings, window, kSection);
    DWORD x = 0, y = 0;
    ASSERT_TRUE(TestRegistry::ReadDword(app, kSection, "WndX", x));
    ASSERT_TRUE(TestRegistry::ReadDword(app, kSection, "WndY", y));
    EXPECT_EQ(x, 321u);
    EXPECT_EQ(y, 45u);
    int rx = 0, ry = 0;
    RestoreWindowPosition(settings, window, kSection, rx, ry, false);
    EXPECT_EQ(rx, 321);
    EXPECT_EQ(ry, 45);
}
