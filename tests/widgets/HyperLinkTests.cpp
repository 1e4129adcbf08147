#include "widgets/CHyperLink.h"

#include "support/RecordingOpener.h"
#include "WidgetDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

enum : WORD { kLink = 1002, kOther = 1003 };

const char kAddress[] = "http://www.zorla-brand.example/";

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kAboutGold = 0x003E96B6;

// Counts what it would open instead of opening it, unless told to open.
class CountingLink : public CHyperLink {
public:
    int follows = 0;
    bool opens = false;
    void FollowLink() override
    {
        ++follows;
        if (opens)
            CHyperLink::FollowLink();
    }
};

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

// How far the text's last letter reaches past its advance (a slant, a slash).
int Overhang(HWND control)
{
    const std::string text = GetWindowTextString(control);
    ClientDCScope dc(control);
    SelectScope font(dc.dc(), reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    ABC last{};
    const UINT letter = static_cast<BYTE>(text.back());
    ::GetCharABCWidthsA(dc.dc(), letter, letter, &last);
    return last.abcC < 0 ? -last.abcC : 0;
}

LOGFONTA FontOf(HWND control)
{
    LOGFONTA logFont{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof logFont, &logFont);
    return logFont;
}

// The tool count and text of the tooltip of this thread whose tool is the link.
std::pair<int, std::string> TooltipOf(HWND link)
{
    struct Search {
        HWND link;
        std::pair<int, std::string> found;
    } search{link, {0, ""}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char text[512] = "";
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            ::GetClassNameA(window, text, sizeof text);
            if (lstrcmpiA(text, TOOLTIPS_CLASSA) != 0 ||
                !::SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != s->link)
                return TRUE;
            tool.lpszText = text;
            ::SendMessageA(window, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
            s->found = {static_cast<int>(::SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0)), text};
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    // The dialog with its static; dialogs from memory templates give their
    // statics no font, so one is given unless withFont is false.
    void Make(DWORD style = SS_LEFT, const char* text = kAddress, bool withFont = true)
    {
        dialogTemplate = std::make_unique<TestDialogTemplate>(WS_POPUP | WS_CAPTION, 240, 100, "Links");
        dialogTemplate->AddControl(TestDialogTemplate::Static, kLink, style, 10, 10, 200, 30, text);
        dialogTemplate->AddControl(TestDialogTemplate::Button, kOther, BS_PUSHBUTTON, 10, 70, 50, 14, "Other");
        dialog = std::make_unique<WidgetDialog>(*dialogTemplate);
        control = ::GetDlgItem(*dialog, kLink);
        other = ::GetDlgItem(*dialog, kOther);
        if (withFont)
            ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        before = RectInParent(control);
    }
    void Bind() { ASSERT_TRUE(link.SubclassDlgItem(kLink, dialog.get())); }

    std::unique_ptr<TestDialogTemplate> dialogTemplate;
    std::unique_ptr<WidgetDialog> dialog;
    CountingLink link;
    HWND control = nullptr;
    HWND other = nullptr;
    RECT before{};
};

TEST_F(CHyperLinkTest, BindingUnderlinesSizesToTheTextAndAddsTheTooltip)
{
    Make();
    Bind();
    EXPECT_EQ(link.GetURL(), kAddress);
    EXPECT_TRUE(FontOf(control).lfUnderline);
    const SIZE text = TextSize(control);
    const RECT after = RectInParent(control);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    // The last letter's ink too: the static clips what lies outside.
    EXPECT_EQ(after.right - after.left, text.cx + Overhang(control));
    EXPECT_EQ(after.bottom - after.top, text.cy);
    EXPECT_EQ(TooltipOf(control), std::make_pair(1, std::string(kAddress)));
    EXPECT_EQ(::SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);

    ::DestroyWindow(control);
    EXPECT_EQ(TooltipOf(control).first, 0) << "the tooltip goes with its link";
}

TEST_F(CHyperLinkTest, AlignedTextKeepsItsEdgeOrCentre)
{
    Make(SS_RIGHT);
    Bind();
    RECT after = RectInParent(control);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.right - after.left, TextSize(control).cx + Overhang(control));

    link.UnsubclassWindow();
    Make(SS_CENTER | SS_CENTERIMAGE);
    Bind();
    after = RectInParent(control);
    // Shrunk by the same whole number of pixels from either side.
    EXPECT_LE(std::abs((after.left + after.right) - (before.left + before.right)), 1);
    EXPECT_LE(std::abs((after.top + after.bottom) - (before.top + before.bottom)), 1);
    EXPECT_LE(std::abs((after.right - after.left) - TextSize(control).cx - Overhang(control)), 1);
    EXPECT_LE(std::abs((after.bottom - after.top) - TextSize(control).cy), 1);
}

TEST_F(CHyperLinkTest, WithoutFontKeepsItsSizeAndAnAddressFillsAnEmptyText)
{
    Make(SS_LEFT, "", false);
    EXPECT_EQ(link.SetURL(kAddress), "");
    Bind();
    EXPECT_EQ(GetWindowTextString(control), kAddress);
    const RECT after = RectInParent(control);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_EQ(TooltipOf(control).second, kAddress);
}

TEST_F(CHyperLinkTest, SetURLRetitlesTheTooltipAndSetFontKeepsTheFontAsGiven)
{
    Make();
    Bind();
    EXPECT_EQ(link.SetURL("http://www.velloran.example/"), kAddress);
    EXPECT_EQ(TooltipOf(control).second, "http://www.velloran.example/");
    EXPECT_EQ(GetWindowTextString(control), kAddress) << "only the address changes";
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
    Make();
    Bind();
    ::SetFocus(other);
    const ReflectedColours idle(*dialog, control);
    EXPECT_EQ(idle.text, kBlue);
    EXPECT_EQ(idle.backgroundMode, TRANSPARENT);
    EXPECT_EQ(idle.brush, ::GetStockObject(NULL_BRUSH));
    EXPECT_GT(PaintedIn(control, kBlue), 10);

    link.SetFocus();
    EXPECT_EQ(ReflectedColours(*dialog, control).text, kTeal);
    EXPECT_GT(PaintedIn(control, kTeal), 10);
    EXPECT_EQ(PaintedIn(control, kBlue), 0);

    // The About box gives its links one colour for every state.
    link.SetColours(kAboutGold, kAboutGold, kAboutGold);
    EXPECT_EQ(ReflectedColours(*dialog, control).text, kAboutGold);
    ::SetFocus(other);
    EXPECT_EQ(ReflectedColours(*dialog, control).text, kAboutGold);
    EXPECT_GT(PaintedIn(control, kAboutGold), 10);
}

TEST_F(CHyperLinkTest, AnotherLinksColoursLeaveThisOneAsItWas)
{
    Make();
    Bind();
    ::SetFocus(other);
    ASSERT_EQ(ReflectedColours(*dialog, control).text, kBlue);

    // A second window with a link in the About box's colours, like the About box
    // opened over the main window.
    TestDialogTemplate aboutTemplate(WS_POPUP | WS_CAPTION, 240, 60, "About");
    aboutTemplate.AddControl(TestDialogTemplate::Static, kLink, SS_LEFT, 10, 10, 200, 30, kAddress);
    WidgetDialog about(aboutTemplate);
    HWND aboutControl = ::GetDlgItem(about, kLink);
    ::SendMessageA(aboutControl, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    CHyperLink aboutLink;
    ASSERT_TRUE(aboutLink.SubclassDlgItem(kLink, &about));
    aboutLink.SetColours(kAboutGold, kAboutGold, kAboutGold);
    EXPECT_EQ(ReflectedColours(about, aboutControl).text, kAboutGold);
    EXPECT_GT(PaintedIn(aboutControl, kAboutGold), 10);

    EXPECT_EQ(link.GetLinkColour(), kBlue);
    EXPECT_EQ(ReflectedColours(*dialog, control).text, kBlue);
    EXPECT_GT(PaintedIn(control, kBlue), 10);
    EXPECT_EQ(PaintedIn(control, kAboutGold), 0);
    link.SetFocus();
    EXPECT_EQ(ReflectedColours(*dialog, control).text, kTeal) << "and its own colour when active";
}

TEST_F(CHyperLinkTest, HandCursorAndCaptureWhileThePointerIsOver)
{
    Make();
    Bind();
    HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(CHyperLink::GetLinkCursor(), hand);
    EXPECT_TRUE(::SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, 0)));
    EXPECT_EQ(::GetCursor(), hand);

    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(5, 4));
    EXPECT_TRUE(link.IsHovering());
    EXPECT_EQ(::GetCapture(), control);
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(-4, 4));
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CHyperLinkTest, FollowsOnReleaseAfterAPressOnItOrOnSpaceNotOnEnter)
{
    Make();
    Bind();
    ::SetFocus(other);

    // Pressed, dragged off and released elsewhere: the release never reaches it.
    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    EXPECT_EQ(::GetFocus(), control) << "a click gives the focus";
    ::SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, Point(3, 500));
    EXPECT_NE(::GetCapture(), control);
    EXPECT_EQ(link.follows, 0) << "not on press";

    ::SendMessageA(control, WM_MOUSEMOVE, 0, Point(3, 3));
    ::SendMessageA(control, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_EQ(link.follows, 1) << "released over it while it has the focus";

    ::SetFocus(other);
    EXPECT_FALSE(link.IsActive());
    EXPECT_NE(::GetCapture(), control);
    ::SendMessageA(control, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_EQ(link.follows, 1) << "a release without a press on it";

    link.SetFocus();
    ::SendMessageA(control, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(link.follows, 1);
    ::SendMessageA(control, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(link.follows, 2);
}

TEST_F(CHyperLinkTest, LinkWithoutAddressOpensItsOwnText)
{
    RecordingOpener opener;
    opener.shellResult = 33;
    InstalledOpener installed(opener);
    Make(SS_LEFT, "www.zorla-brand.example");
    Bind();
    link.opens = true;
    link.SetFocus();
    ::SendMessageA(control, WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(opener.WaitForCalls(1));
    EXPECT_EQ(opener.Calls(), (std::vector<std::string>{"shell www.zorla-brand.example|"}));
}

}  // namespace
