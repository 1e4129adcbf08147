#include "widgets/CWndSpecialFX.h"

#include "support/BoxRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>

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

TEST(CWndSpecialFX, DropShadowGoesToTheWindowsClass)
{
    CWndSpecialFX effects;
    Popup popup("ZorlaShadowTest", WS_VISIBLE);
    OpenAsTheMenuDoes(effects, popup);
    const DWORD classStyle = ::GetClassLongA(popup, GCL_STYLE);
    std::printf("drop shadow: can %d, set %d, class style 0x%lx\n", effects.CanDropShadow(), effects.IsDropShadowSet(),
                static_cast<unsigned long>(classStyle));
    if (!effects.CanDropShadow()) {
        EXPECT_FALSE(effects.IsDropShadowSet());
        return;
    }
    // The class had no style at all: success must not be read from the old value.
    EXPECT_EQ(effects.IsDropShadowSet(), (classStyle & CS_DROPSHADOW) != 0);
    if (effects.IsDropShadowSet()) {
        Popup later("ZorlaShadowTest", 0);
        EXPECT_NE(::GetClassLongA(later, GCL_STYLE) & CS_DROPSHADOW, 0u);
    }
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
