#include "widgets/CWndSpecialFX.h"

#include "shared/OsLevel.h"
#include "support/BoxRecorder.h"

#include <gtest/gtest.h>


namespace {

// Windows of a class of their own, without any class style: the drop shadow
// changes the class for all its windows.
class Popup {
public:
    Popup(const char* className, DWORD style)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        ::RegisterClassA(&windowClass);
        m_window = ::CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP | style, 50, 50, 120, 80, nullptr,
                                     nullptr, windowClass.hInstance, nullptr);
    }
    ~Popup() { ::DestroyWindow(m_window); }
    Popup(const Popup&) = delete;
    Popup& operator=(const Popup&) = delete;
    operator HWND() const { return m_window; }

private:
    HWND m_window = nullptr;
};

int OpenAsTheMenuDoes(CWndSpecialFX& effects, HWND window)
{
    return effects.OpenWindow(window, 0, 0, 1, 0, 0, 200, 10, 245);
}

TEST(CWndSpecialFX, ShowsOnlyWindowsMadeVisible)
{
    CWndSpecialFX effects;
    EXPECT_EQ(OpenAsTheMenuDoes(effects, nullptr), 0);

    Popup hidden("ZorlaEffectTest", 0);
    OpenAsTheMenuDoes(effects, hidden);
    EXPECT_FALSE(::IsWindowVisible(hidden));

    Popup visible("ZorlaEffectTest", WS_VISIBLE);
    EXPECT_EQ(OpenAsTheMenuDoes(effects, visible), 1);
    EXPECT_TRUE(::IsWindowVisible(visible));
    EXPECT_EQ(effects.Result(), 1);
}

// Every system the program runs on draws the shadow (Wine reports one too):
// a menu without it is a fault, not a choice.
TEST(CWndSpecialFX, DropShadowGoesToTheWindowsClass)
{
    CWndSpecialFX effects;
    ASSERT_TRUE(effects.CanDropShadow()) << "system level " << GetOsLevel();
    Popup popup("ZorlaShadowTest", WS_VISIBLE);
    ASSERT_EQ(::GetClassLongA(popup, GCL_STYLE) & CS_DROPSHADOW, 0u);
    OpenAsTheMenuDoes(effects, popup);
    // The class had no style at all: success must not be read from the old value.
    EXPECT_TRUE(effects.IsDropShadowSet());
    EXPECT_NE(::GetClassLongA(popup, GCL_STYLE) & CS_DROPSHADOW, 0u);
    Popup later("ZorlaShadowTest", 0);
    EXPECT_NE(::GetClassLongA(later, GCL_STYLE) & CS_DROPSHADOW, 0u) << "the class keeps it for the next menu";
}

TEST(CWndSpecialFX, UnknownEffectIsReportedAndShowsNothing)
{
    CWndSpecialFX effects;
    Popup popup("ZorlaEffectTest", 0);
    BoxRecorder recorder;
    EXPECT_EQ(effects.OpenWindow(popup, 8, 0, 0, 0, 0, 200, 10, 245), 0);
    const auto boxes = recorder.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error:");
    EXPECT_EQ(effects.Result(), 0);
}

}  // namespace
