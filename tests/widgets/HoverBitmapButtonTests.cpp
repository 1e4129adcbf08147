#include "widgets/CHoverBitmapButton.h"

#include "framework/AfxFunctions.h"
#include "support/MessagePump.h"
#include "WidgetDialog.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace {

enum : WORD { kClose = 1007 };
const UINT kAboutClose = 136;
const UINT kAboutCloseHot = 135;

// A button that counts how often it is drawn for the screen.
class CountingButton : public CHoverBitmapButton {
public:
    int draws = 0;
    bool printing = false;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_DRAWITEM && !printing)
            ++draws;
        return CHoverBitmapButton::OnChildNotify(message, wParam, lParam, result);
    }
};

TestDialogTemplate MakeTemplate()
{
    TestDialogTemplate dialog(WS_POPUP | WS_CAPTION, 200, 80, "Note");
    dialog.AddControl(TestDialogTemplate::Button, kClose, BS_OWNERDRAW, 20, 20, 60, 30);
    return dialog;
}

SIZE WindowSize(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The bitmap resource as it draws into a 32-bit bitmap.
std::vector<DWORD> ResourcePixels(UINT id)
{
    GdiBitmap bitmap(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
    BITMAP info{};
    ::GetObjectA(bitmap.get(), sizeof info, &info);
    DWORD* bits = nullptr;
    GdiBitmap dib = CreateTopDownDib(info.bmWidth, info.bmHeight, &bits);
    MemoryDC source(::CreateCompatibleDC(nullptr));
    MemoryDC target(::CreateCompatibleDC(nullptr));
    {
        SelectScope from(source.get(), bitmap.get());
        SelectScope to(target.get(), dib.get());
        ::BitBlt(target.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    std::vector<DWORD> pixels(bits, bits + info.bmWidth * info.bmHeight);
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

std::vector<DWORD> Shown(CountingButton& button)
{
    button.printing = true;
    std::vector<DWORD> pixels = PrintedPixels(button);
    button.printing = false;
    return pixels;
}

POINT CentreOnScreen(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(CHoverBitmapButton, TakesTheSizeOfItsNormalPictureWhateverTheTemplateSaid)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    CHoverBitmapButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kClose, &dialog));
    const SIZE templateSize = WindowSize(button);

    EXPECT_FALSE(button.LoadBitmaps(9999, 151, 151, 151));
    EXPECT_EQ(WindowSize(button).cx, templateSize.cx);
    EXPECT_EQ(WindowSize(button).cy, templateSize.cy);

    EXPECT_TRUE(button.LoadBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
    EXPECT_EQ(WindowSize(button).cx, 22);
    EXPECT_EQ(WindowSize(button).cy, 22);

    EXPECT_TRUE(button.LoadBitmaps(kAboutClose, kAboutCloseHot, kAboutCloseHot, kAboutCloseHot));
    EXPECT_EQ(WindowSize(button).cx, 15);
    EXPECT_EQ(WindowSize(button).cy, 14);
}

TEST(CHoverBitmapButton, SharingButtonsHoldOneSetOfPicturesThatGoesWithTheLastOfThem)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HBITMAP normal = nullptr;
    HBITMAP hover = nullptr;
    {
        CHoverBitmapButton first;
        ASSERT_TRUE(first.SubclassDlgItem(kClose, &dialog));
        const SIZE templateSize = WindowSize(first);
        ASSERT_TRUE(first.ShareBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
        EXPECT_EQ(22, first.PictureSize().cx);
        EXPECT_EQ(22, first.PictureSize().cy);
        EXPECT_EQ(templateSize.cx, WindowSize(first).cx) << "the owner places a sharing button";
        {
            CHoverBitmapButton second;
            ASSERT_TRUE(second.ShareBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
            const std::shared_ptr<const HoverBitmaps> set =
                HoverBitmaps::Shared(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT);
            ASSERT_TRUE(set);
            normal = set->Normal();
            hover = set->Hover();
            EXPECT_EQ(hover, set->Released());
            EXPECT_NE(normal, hover);
            const std::shared_ptr<const HoverBitmaps> other =
                HoverBitmaps::Shared(kAboutClose, kAboutCloseHot, kAboutCloseHot);
            ASSERT_TRUE(other);
            EXPECT_NE(normal, other->Normal()) << "other ids, other pictures";
        }
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(::GetObjectType(normal))) << "the first button still shows them";
        EXPECT_EQ(OBJ_BITMAP, static_cast<int>(::GetObjectType(hover)));
        ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    EXPECT_EQ(0u, ::GetObjectType(normal)) << "gone with the last button";
    EXPECT_EQ(0u, ::GetObjectType(hover));

    // Loaded again for the next button; a missing picture shares nothing.
    CHoverBitmapButton again;
    ASSERT_TRUE(again.ShareBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
    const std::shared_ptr<const HoverBitmaps> reloaded =
        HoverBitmaps::Shared(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT);
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(OBJ_BITMAP, static_cast<int>(::GetObjectType(reloaded->Normal())));
    CHoverBitmapButton missing;
    EXPECT_FALSE(missing.ShareBitmaps(9999, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
    EXPECT_EQ(0, missing.PictureSize().cx);
    EXPECT_FALSE(HoverBitmaps::Shared(IDB_NOTE_CLOSE, 9999, 0));
}

TEST(CHoverBitmapButton, PointerOverSwapsThePictureOnceAndLeavingRestoresIt)
{
    ::SetCursorPos(0, 0);
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    CountingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kClose, &dialog));
    ASSERT_TRUE(button.LoadBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT));
    PumpPendingMessages();
    EXPECT_EQ(Shown(button), ResourcePixels(IDB_NOTE_CLOSE));
    button.draws = 0;

    // The pointer really goes there: the leave notification watches it.
    const POINT centre = CentreOnScreen(button);
    ::SetCursorPos(centre.x, centre.y);
    ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(11, 11));
    PumpPendingMessages();
    EXPECT_EQ(button.GetState(), CHoverBitmapButton::Hover);
    EXPECT_EQ(button.draws, 1);
    EXPECT_EQ(Shown(button), ResourcePixels(IDB_NOTE_CLOSE_HOT));

    ::SetCursorPos(centre.x + 3, centre.y - 2);
    ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(14, 9));
    ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 15));
    PumpPendingMessages();
    EXPECT_EQ(button.draws, 1) << "moving within draws nothing";

    ::SetCursorPos(0, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return button.GetState() == CHoverBitmapButton::Normal; }));
    EXPECT_EQ(button.draws, 2);
    EXPECT_EQ(Shown(button), ResourcePixels(IDB_NOTE_CLOSE));
}

TEST(CHoverBitmapButton, ReleaseShowsTheSecondPictureAndClicksTheParent)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    CountingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kClose, &dialog));
    ASSERT_TRUE(button.LoadBitmaps(kAboutClose, kAboutCloseHot, kAboutCloseHot, kAboutCloseHot));

    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(dialog.commands.empty());
    ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.GetState(), CHoverBitmapButton::Released);
    EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, int>>{{kClose, BN_CLICKED}}));
    EXPECT_EQ(Shown(button), ResourcePixels(kAboutCloseHot));
}

}  // namespace
