#include "widgets/CHyperLink.h"

#include "support/MessagePump.h"
#include "RecordingOpener.h"
#include "WidgetDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

enum : WORD { kLink = 1002, kOther = 1003 };

const char kAddress[] = "http://www.zorla-brand.example/";

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kAboutGold = 0x003E96B6;

// A link that counts what would be opened instead of opening it.
class CountingLink : public CHyperLink {
public:
    int follows = 0;
    void FollowLink() override { ++follows; }
};

TestDialogTemplate MakeTemplate(DWORD linkStyle = SS_LEFT, const char* text = kAddress)
{
    TestDialogTemplate dialog(WS_POPUP | WS_CAPTION, 240, 100, "Links");
    dialog.AddControl(TestDialogTemplate::Static, kLink, linkStyle, 10, 10, 200, 30, text);
    dialog.AddControl(TestDialogTemplate::Button, kOther, BS_PUSHBUTTON | WS_TABSTOP, 10, 70, 50, 14, "Other");
    return dialog;
}

// Dialogs from memory templates without DS_SETFONT give their statics no font.
void GiveFont(HWND dialog, int id)
{
    ::SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
}

RECT RectInParent(HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE TextSize(HWND control)
{
    const std::string text = GetWindowTextString(control);
    ClientDCScope dc(control);
    SelectScope font(dc.dc(), reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

LOGFONTA FontOf(HWND control)
{
    LOGFONTA logFont{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof logFont, &logFont);
    return logFont;
}

struct Tooltip {
    int tools = 0;
    HWND toolWindow = nullptr;
    std::string text;
};

// The tooltip of this thread whose tool sits on the link.
Tooltip TooltipOf(HWND link)
{
    struct Search {
        HWND link;
        Tooltip found;
    } search{link, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char name[64] = "";
            ::GetClassNameA(window, name, sizeof name);
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
                return TRUE;
            char text[512] = "";
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            if (!::SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != s->link)
                return TRUE;
            tool.lpszText = text;
            ::SendMessageA(window, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
            s->found = Tooltip{static_cast<int>(::SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0)), tool.hwnd, text};
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the link's parent answers for it when the static asks for its colours.
struct Reflected {
    COLORREF text = 0;
    int backgroundMode = 0;
    LRESULT brush = 0;
};

Reflected ReflectedColours(HWND dialog, HWND link)
{
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    Reflected reflected;
    reflected.brush =
        ::SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(link));
    reflected.text = ::GetTextColor(dc.get());
    reflected.backgroundMode = ::GetBkMode(dc.get());
    return reflected;
}

// Pixels of the painted link in exactly this colour: at least its underline.
int PaintedIn(HWND link, COLORREF colour)
{
    const std::vector<DWORD> pixels = PrintedPixels(link);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), PixelOf(colour)));
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class CHyperLinkTest : public testing::Test {
protected:
    void TearDown() override { CHyperLink::SetColours(kBlue, kTeal, RGB(128, 0, 128), RGB(255, 0, 0)); }
};

TEST_F(CHyperLinkTest, BindingUnderlinesSizesToTheTextAndAddsTheTooltip)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    const RECT before = RectInParent(control);
    {
        CHyperLink link;
        ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));

        EXPECT_EQ(link.GetURL(), kAddress);
        EXPECT_TRUE(FontOf(control).lfUnderline);
        const SIZE text = TextSize(control);
        const RECT after = RectInParent(control);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
        EXPECT_EQ(after.right - after.left, text.cx);
        EXPECT_EQ(after.bottom - after.top, text.cy);
        EXPECT_LT(after.right, before.right);

        const Tooltip tooltip = TooltipOf(control);
        EXPECT_EQ(tooltip.tools, 1);
        EXPECT_EQ(tooltip.text, kAddress);
        EXPECT_EQ(::SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);
    }
    EXPECT_EQ(TooltipOf(control).tools, 0) << "the tooltip goes with its link";
}

TEST_F(CHyperLinkTest, AlignedTextKeepsItsEdgeOrCentre)
{
    for (DWORD style : {SS_RIGHT, SS_CENTER | SS_CENTERIMAGE}) {
        TestDialogTemplate dialogTemplate = MakeTemplate(style);
        WidgetDialog dialog(dialogTemplate);
        HWND control = ::GetDlgItem(dialog, kLink);
        GiveFont(dialog, kLink);
        const RECT before = RectInParent(control);
        CHyperLink link;
        ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));
        const RECT after = RectInParent(control);
        const SIZE text = TextSize(control);
        if (style == SS_RIGHT) {
            EXPECT_EQ(after.right - after.left, text.cx);
            EXPECT_EQ(after.right, before.right);
            EXPECT_EQ(after.top, before.top);
        } else {
            // Shrunk by the same whole number of pixels from either side.
            EXPECT_LE(std::abs((after.right - after.left) - text.cx), 1);
            EXPECT_LE(std::abs((after.left + after.right) - (before.left + before.right)), 1);
            EXPECT_LE(std::abs((after.top + after.bottom) - (before.top + before.bottom)), 1);
            EXPECT_LE(std::abs((after.bottom - after.top) - text.cy), 1);
        }
    }
}

TEST_F(CHyperLinkTest, WithoutFontKeepsItsSizeAndAnAddressFillsAnEmptyText)
{
    TestDialogTemplate dialogTemplate = MakeTemplate(SS_LEFT, "");
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    const RECT before = RectInParent(control);
    CHyperLink link;
    EXPECT_EQ(link.SetURL(kAddress), "");
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));

    EXPECT_EQ(GetWindowTextString(control), kAddress);
    const RECT after = RectInParent(control);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(TooltipOf(control).text, kAddress);
}

TEST_F(CHyperLinkTest, SetURLRetitlesTheTooltipAndSetFontKeepsTheFontAsGiven)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    CHyperLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));

    EXPECT_EQ(link.SetURL("http://www.velloran.example/"), kAddress);
    EXPECT_EQ(TooltipOf(control).text, "http://www.velloran.example/");
    EXPECT_EQ(GetWindowTextString(control), kAddress) << "the text stays; only the address changes";
    EXPECT_TRUE(::IsWindowVisible(control));

    GdiFont big(::CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    link.SetFont(big.get());
    EXPECT_EQ(FontOf(control).lfHeight, -30);
    EXPECT_FALSE(FontOf(control).lfUnderline);
    const RECT after = RectInParent(control);
    EXPECT_EQ(after.bottom - after.top, TextSize(control).cy);
    EXPECT_TRUE(::IsWindowVisible(control));
}

TEST_F(CHyperLinkTest, BlueTealOnFocusAndTheAboutBoxColourForBoth)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    CHyperLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));
    HWND other = ::GetDlgItem(dialog, kOther);
    ::SetFocus(other);

    Reflected idle = ReflectedColours(dialog, control);
    EXPECT_EQ(idle.text, kBlue);
    EXPECT_EQ(idle.backgroundMode, TRANSPARENT);
    EXPECT_EQ(idle.brush, reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
    EXPECT_GT(PaintedIn(control, kBlue), 10);

    link.SetFocus();
    EXPECT_TRUE(link.IsActive());
    EXPECT_EQ(ReflectedColours(dialog, control).text, kTeal);
    EXPECT_GT(PaintedIn(control, kTeal), 10);
    EXPECT_EQ(PaintedIn(control, kBlue), 0);

    // Once the About box has set its colours, every link keeps them.
    CHyperLink::SetColours(kAboutGold, kAboutGold, kAboutGold);
    EXPECT_EQ(ReflectedColours(dialog, control).text, kAboutGold);
    ::SetFocus(other);
    EXPECT_FALSE(link.IsActive());
    EXPECT_EQ(ReflectedColours(dialog, control).text, kAboutGold);
    EXPECT_GT(PaintedIn(control, kAboutGold), 10);
    EXPECT_EQ(CHyperLink::GetLinkColour(), kAboutGold);
    EXPECT_EQ(CHyperLink::GetActiveColour(), kAboutGold);
}

TEST_F(CHyperLinkTest, HandCursorAndCaptureWhileThePointerIsOver)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    CHyperLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));

    HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(CHyperLink::GetLinkCursor(), hand);
    EXPECT_TRUE(::SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(::GetCursor(), hand);

    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(::GetCapture(), control);
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(5, 4));
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(::GetCapture(), control);
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(-4, 4));
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CHyperLinkTest, FollowsOnReleaseOverTheLinkOnlyAfterAPressOnIt)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    CountingLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));
    ::SetFocus(::GetDlgItem(dialog, kOther));

    // Pressed, dragged off and released elsewhere: the release never reaches it.
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    EXPECT_EQ(::GetFocus(), control) << "a click gives the focus";
    EXPECT_EQ(link.follows, 0) << "not on press";
    ::SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, Point(3, 500));
    EXPECT_NE(::GetCapture(), control);
    EXPECT_EQ(link.follows, 0);

    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    ::SendMessageA(control, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_EQ(link.follows, 1) << "released over it while it has the focus";

    ::SetFocus(::GetDlgItem(dialog, kOther));
    EXPECT_FALSE(link.IsActive());
    EXPECT_FALSE(link.IsHovering());
    EXPECT_NE(::GetCapture(), control);
    ::SendMessageA(control, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_EQ(link.follows, 1) << "a release without a press on it";
}

TEST_F(CHyperLinkTest, SpaceFollowsEnterDoesNot)
{
    TestDialogTemplate dialogTemplate = MakeTemplate();
    WidgetDialog dialog(dialogTemplate);
    HWND control = ::GetDlgItem(dialog, kLink);
    GiveFont(dialog, kLink);
    CountingLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));
    link.SetFocus();

    ::SendMessageA(control, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(link.follows, 0);
    ::SendMessageA(control, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(link.follows, 1);
}

TEST_F(CHyperLinkTest, LinkWithoutAddressOpensItsOwnText)
{
    RecordingOpener opener;
    opener.shellResult = 33;
    InstalledOpener installed(opener);
    TestDialogTemplate dialogTemplate = MakeTemplate(SS_LEFT, "www.zorla-brand.example");
    WidgetDialog dialog(dialogTemplate);
    GiveFont(dialog, kLink);
    CHyperLink link;
    ASSERT_TRUE(link.SubclassDlgItem(kLink, &dialog));

    link.SetFocus();
    ::SendDlgItemMessageA(dialog, kLink, WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(opener.WaitForCalls(1));
    EXPECT_EQ(opener.Calls(), (std::vector<std::string>{"shell www.zorla-brand.example|"}));
}

}  // namespace
