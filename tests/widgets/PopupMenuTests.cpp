#include "widgets/CPopupMenu.h"

#include "framework/AfxFunctions.h"
#include "image/ScaledArt.h"
#include "shared/AppFont.h"
#include "support/MessagePump.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {

enum : UINT { kAbout = 134, kExit = 57665, kWeather = 148, kGrey = 150, kOff = 151 };
const COLORREF kOwnHighlight = 0x00A57231;
const COLORREF kBackground = 0x00C7F1FF;

// A top-level window that keeps the commands it receives, and whether the menu
// window still existed when each arrived.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &OwnerWindow::Proc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PopupMenuTestOwner";
        ::RegisterClassA(&windowClass);
        window = ::CreateWindowExA(0, "PopupMenuTestOwner", "Owner", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr,
                                   nullptr, windowClass.hInstance, this);
        ::SetForegroundWindow(window);
    }
    ~OwnerWindow() { ::DestroyWindow(window); }

    HWND window = nullptr;
    std::vector<UINT> commands;
    bool menuWindowExistedAtCommand = false;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrA(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* owner = reinterpret_cast<OwnerWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_COMMAND && owner) {
            owner->commands.push_back(static_cast<UINT>(wParam));
            owner->menuWindowExistedAtCommand = ::FindWindowA("vlsMenuClass", nullptr) != nullptr;
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
};

// The menu the main window shows, in its colours.
void Fill(CPopupMenu& menu)
{
    menu.colours.border = 0x02000000;
    menu.colours.background = kBackground;
    menu.colours.text = 0x02000000;
    menu.colours.highlightText = 0x00FFFFFF;
    menu.colours.highlight = RGB(0, 0, 128);
    ASSERT_TRUE(menu.Init(AfxGetResourceHandle(), IDB_MENU_IMAGES));
    menu.AppendItem(0, "&About Zorla...", kAbout, 0, kOwnHighlight);
    menu.AppendItem(MIF_SEPARATOR);
    menu.AppendItem(MIF_BOLD, "&Weather", kWeather, -1, 0);
    menu.AppendItem(MIF_GRAYED, "&Grey", kGrey);
    menu.AppendItem(MIF_INACTIVE, "&Off", kOff);
    menu.AppendItem(0, "No command");
    menu.AppendItem(0, "E&xit", kExit, 4, kOwnHighlight);
}

LPARAM ClientPoint(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

// A point in the middle of an item, in the menu's client coordinates.
LPARAM Over(const CPopupMenu& menu, int index)
{
    const PopupMenuItem& item = menu.Items()[index];
    return ClientPoint(30, item.top + item.height / 2);
}

void MoveTo(const CPopupMenu& menu, int index)
{
    ::SendMessageA(menu.GetSafeHwnd(), WM_MOUSEMOVE, 0, Over(menu, index));
}

// The keyboard state says these buttons are down while the menu opens, as when
// the press that opens it is still held.
void TrackWithButtonsDown(CPopupMenu& menu, POINT at, HWND owner, bool left, bool right)
{
    BYTE saved[256]{};
    ::GetKeyboardState(saved);
    BYTE pressed[256];
    std::copy(std::begin(saved), std::end(saved), pressed);
    pressed[VK_LBUTTON] = left ? 0x80 : 0;
    pressed[VK_RBUTTON] = right ? 0x80 : 0;
    ::SetKeyboardState(pressed);
    menu.Track(at, owner);
    ::SetKeyboardState(saved);
}

class PopupMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        Fill(menu);
        TrackWithButtonsDown(menu, POINT{200, 150}, owner.window, false, false);
        ASSERT_NE(menu.GetSafeHwnd(), nullptr);
    }

    bool Open() const { return menu.GetSafeHwnd() && ::IsWindow(menu.GetSafeHwnd()); }

    // Everything posted so far has arrived.
    std::vector<UINT> Commands()
    {
        PumpPendingMessages();
        return owner.commands;
    }

    OwnerWindow owner;
    CPopupMenu menu;
};

TEST_F(PopupMenuTest, OpensAtThePointAsATopMostToolWindowOfItsOwnClassWithShadowAndCapture)
{
    HWND window = menu.GetSafeHwnd();
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right - rect.left, menu.Width());
    EXPECT_EQ(rect.bottom - rect.top, 3 + 17 + 5 + 5 * 17 + 2);

    char className[32]{};
    ::GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "vlsMenuClass");
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetWindow(window, GW_OWNER), owner.window);
    EXPECT_EQ(::GetCapture(), window);
    EXPECT_EQ(::GetFocus(), window);

    ASSERT_TRUE(menu.Effects().CanDropShadow());
    EXPECT_TRUE(menu.Effects().IsDropShadowSet());
    EXPECT_TRUE(::GetClassLongA(window, GCL_STYLE) & CS_DROPSHADOW);
}

TEST_F(PopupMenuTest, NearTheBottomRightCornerItEndsAtTheWorkAreasEdges)
{
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    menu.Track(POINT{work.right - 5, work.bottom - 5}, owner.window);
    RECT rect{};
    ::GetWindowRect(menu.GetSafeHwnd(), &rect);
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);
    EXPECT_EQ(rect.right - rect.left, menu.Width());
}

TEST_F(PopupMenuTest, ReleaseOverAnItemPostsItsCommandAfterTheMenuHasClosed)
{
    MoveTo(menu, 2);
    EXPECT_EQ(menu.HighlightedIndex(), 2);
    ::SendMessageA(menu.GetSafeHwnd(), WM_LBUTTONUP, 0, Over(menu, 2));
    EXPECT_FALSE(Open());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Commands(), std::vector<UINT>{kWeather});
    EXPECT_FALSE(owner.menuWindowExistedAtCommand);
}

TEST_F(PopupMenuTest, ReleasesThatChooseNothingLeaveTheMenuOpen)
{
    for (int index : {1, 3, 5}) {  // separator, grey item, item without command
        MoveTo(menu, index);
        ::SendMessageA(menu.GetSafeHwnd(), WM_LBUTTONUP, 0, Over(menu, index));
        EXPECT_TRUE(Open()) << index;
    }
    // The inactive item is never highlighted, so releasing there chooses nothing.
    MoveTo(menu, 4);
    EXPECT_EQ(menu.HighlightedIndex(), -1);
    ::SendMessageA(menu.GetSafeHwnd(), WM_RBUTTONUP, 0, Over(menu, 4));
    EXPECT_TRUE(Open());
    // An empty spot inside the frame neither closes nor chooses.
    ::SendMessageA(menu.GetSafeHwnd(), WM_LBUTTONDOWN, 0, ClientPoint(10, 10));
    EXPECT_TRUE(Open());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, PressOutsideOrOnTheLeftBandClosesWithoutCommand)
{
    MoveTo(menu, 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_LBUTTONDOWN, 0, ClientPoint(-40, 300));
    EXPECT_FALSE(Open());

    TrackWithButtonsDown(menu, POINT{200, 150}, owner.window, false, false);
    MoveTo(menu, 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_RBUTTONDOWN, 0, ClientPoint(1, 10));
    EXPECT_FALSE(Open());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, TheReleaseOfTheOpeningPressDoesNotChooseTheNextOneDoes)
{
    TrackWithButtonsDown(menu, POINT{200, 150}, owner.window, false, true);
    MoveTo(menu, 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_RBUTTONUP, 0, Over(menu, 0));
    EXPECT_TRUE(Open());
    EXPECT_TRUE(Commands().empty());
    ::SendMessageA(menu.GetSafeHwnd(), WM_RBUTTONUP, 0, Over(menu, 0));
    EXPECT_FALSE(Open());
    EXPECT_EQ(Commands(), std::vector<UINT>{kAbout});

    // Opened with the left button held: the right button chooses at once.
    TrackWithButtonsDown(menu, POINT{200, 150}, owner.window, true, false);
    MoveTo(menu, 6);
    ::SendMessageA(menu.GetSafeHwnd(), WM_RBUTTONUP, 0, Over(menu, 6));
    EXPECT_FALSE(Open());
    EXPECT_EQ(Commands(), (std::vector<UINT>{kAbout, kExit}));
}

TEST_F(PopupMenuTest, MnemonicChoosesWhateverTheCaseButNotGreyItems)
{
    ::SendMessageA(menu.GetSafeHwnd(), WM_CHAR, 'g', 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_CHAR, 'o', 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_CHAR, 'q', 0);
    EXPECT_TRUE(Open());
    ::SendMessageA(menu.GetSafeHwnd(), WM_CHAR, 'X', 0);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Commands(), std::vector<UINT>{kExit});

    menu.Track(POINT{200, 150}, owner.window);
    ::SendMessageA(menu.GetSafeHwnd(), WM_CHAR, 'x', 0);
    EXPECT_EQ(Commands(), (std::vector<UINT>{kExit, kExit}));
}

TEST_F(PopupMenuTest, ArrowsMoveTheHighlightAndEnterChoosesIt)
{
    HWND window = menu.GetSafeHwnd();
    ::SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(menu.HighlightedIndex(), 0);
    ::SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(menu.HighlightedIndex(), 2);
    ::SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(menu.HighlightedIndex(), 3);
    ::SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);  // grey
    EXPECT_TRUE(Open());
    ::SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(menu.HighlightedIndex(), 5);
    ::SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    ::SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(menu.HighlightedIndex(), 2);
    ::SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Commands(), std::vector<UINT>{kWeather});
}

TEST_F(PopupMenuTest, EscapeClosesWithoutCommand)
{
    ::SendMessageA(menu.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageA(menu.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(Open());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, AnotherWindowBecomingActiveClosesTheMenu)
{
    OwnerWindow other;
    ::SetActiveWindow(other.window);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !Open(); }));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, RefillingOrDestroyingAnOpenMenuClosesItWithoutCommand)
{
    MoveTo(menu, 0);
    Fill(menu);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(menu.Items().size() == 7);

    auto other = std::make_unique<CPopupMenu>();
    Fill(*other);
    other->Track(POINT{300, 150}, owner.window);
    HWND window = other->GetSafeHwnd();
    other.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(Commands().empty());
}

COLORREF PixelAt(HWND window, int x, int y)
{
    ::UpdateWindow(window);
    HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return pixel;
}

TEST_F(PopupMenuTest, HighlightFillsWithTheItemsColourAndRaisesItsImageBoxOnlyWhileOver)
{
    HWND window = menu.GetSafeHwnd();
    const int aboutTop = menu.Items()[0].top;
    const int fillX = menu.Width() - 6;
    EXPECT_EQ(PixelAt(window, fillX, aboutTop + 1), kBackground);
    EXPECT_EQ(PixelAt(window, 3, aboutTop), kBackground);

    MoveTo(menu, 0);
    EXPECT_EQ(PixelAt(window, fillX, aboutTop + 1), kOwnHighlight);
    EXPECT_EQ(PixelAt(window, 3, aboutTop), menu.colours.light3D);
    EXPECT_EQ(PixelAt(window, 20, aboutTop + 16), menu.colours.shadow3D);

    // An item without a colour of its own takes the menu's highlight colour.
    MoveTo(menu, 2);
    const int weatherTop = menu.Items()[2].top;
    EXPECT_EQ(PixelAt(window, fillX, weatherTop + 1), RGB(0, 0, 128));
    EXPECT_EQ(PixelAt(window, fillX, aboutTop + 1), kBackground);
    EXPECT_EQ(PixelAt(window, 3, aboutTop), kBackground);
}

// The ink of an image: how many pixels of the box's column are not the row's
// background, and the box around them.
struct Ink {
    int count = 0;
    RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    void Add(int x, int y)
    {
        ++count;
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
    }
    SIZE Size() const { return SIZE{box.right - box.left, box.bottom - box.top}; }
};

Ink DrawnImage(const CPopupMenu& menu, int index)
{
    const PopupMenuItem& item = menu.Items()[index];
    ::UpdateWindow(menu.GetSafeHwnd());
    ClientDCScope client(menu.GetSafeHwnd());
    Ink ink;
    for (int y = item.top; y < item.top + item.height; ++y)
        for (int x = menu.Scale().Px(3); x < menu.Scale().Px(21); ++x)
            if (::GetPixel(client.dc(), x, y) != kBackground)
                ink.Add(x, y);
    return ink;
}

// The strip's cell at the scale, its holes left out.
Ink CellImage(int cell, const DisplayScale& scale)
{
    PLDIBSection strip;
    EXPECT_TRUE(ScaledArt::LoadBitmap(AfxGetResourceHandle(), IDB_MENU_IMAGES, scale, strip, true, RGB(255, 0, 255)));
    Ink ink;
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = scale.Px(16 * cell); x < scale.Px(16 * (cell + 1)); ++x) {
            const BYTE* p = strip.Row(y) + x * 4;
            const COLORREF colour = RGB(p[2], p[1], p[0]);
            if (colour != RGB(255, 0, 255) && colour != kBackground)
                ink.Add(x, y);
        }
    return ink;
}

// Made for one scale and shown on a monitor of another, the rows would cut or
// crowd their text, the images stay 16 pixels wide, and the strip's holes,
// blended into their neighbours when resampled, would show pink fringes.
TEST(ScaledPopupMenu, RowsWidthAndImagesFollowTheMonitorsScale)
{
    OwnerWindow owner;
    AppFont font;
    font.SetHeight(-12);
    CPopupMenu menu;
    menu.SetFont([&](int dpi) { return font.ForDpi(dpi); });
    Fill(menu);
    TrackWithButtonsDown(menu, POINT{200, 150}, owner.window, false, false);
    ASSERT_EQ(menu.Scale().Dpi(), 96);
    const int baseWidth = menu.Width();
    const std::vector<PopupMenuItem> base = menu.Items();
    for (int dpi : {144, 96}) {
        RECT suggested{200, 150, 400, 300};
        ::SendMessageA(menu.GetSafeHwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const DisplayScale scale(dpi);
        RECT window{};
        ::GetWindowRect(menu.GetSafeHwnd(), &window);
        EXPECT_EQ(window.left, 200) << dpi;
        EXPECT_EQ(window.right - window.left, menu.Width()) << dpi;
        // Glyphs of a font half again as high are each rounded on their own.
        EXPECT_NEAR(menu.Width(), baseWidth * dpi / 96, 2 + baseWidth / 32) << dpi;
        EXPECT_EQ(window.bottom - window.top, scale.Px(112)) << dpi;
        for (size_t i = 0; i < base.size(); ++i) {
            const PopupMenuItem& item = menu.Items()[i];
            EXPECT_NEAR(item.height, base[i].height * dpi / 96.0, 1) << dpi << " row " << i;
            if (i + 1 < base.size())
                EXPECT_EQ(item.top + item.height, menu.Items()[i + 1].top) << dpi << " row " << i;
        }
        for (int row : {0, 6}) {
            const Ink drawn = DrawnImage(menu, row);
            const Ink cell = CellImage(menu.Items()[row].imageIndex, scale);
            EXPECT_GT(cell.count, 0);
            EXPECT_EQ(drawn.count, cell.count) << dpi << " row " << row;
            EXPECT_EQ(drawn.Size().cx, cell.Size().cx) << dpi << " row " << row;
            EXPECT_EQ(drawn.Size().cy, cell.Size().cy) << dpi << " row " << row;
        }
    }
    EXPECT_EQ(menu.Width(), baseWidth);
}

TEST(PopupMenu, ModalTrackReturnsTheChoiceAndPostsNothing)
{
    OwnerWindow owner;
    CPopupMenu menu;
    Fill(menu);
    // Queued before the menu exists; the menu's own loop delivers it.
    struct Typist {
        static void CALLBACK Type(HWND, UINT, UINT_PTR id, DWORD)
        {
            ::KillTimer(nullptr, id);
            ::PostMessageA(::FindWindowA("vlsMenuClass", nullptr), WM_CHAR, 'a', 0);
        }
    };
    ::SetTimer(nullptr, 0, 0, &Typist::Type);
    EXPECT_EQ(menu.Track(POINT{200, 150}, owner.window, true, true), static_cast<int>(kAbout));
    EXPECT_EQ(menu.GetSafeHwnd(), nullptr);
    PumpPendingMessages();
    EXPECT_TRUE(owner.commands.empty());
}

}  // namespace
