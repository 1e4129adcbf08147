// The About box in real windows: its picture with the credits on the room the
// picture leaves for them, the hot spot's cursor and click, the band that
// moves the box and the ways to close it, driven with real mouse input.
#include "widgets/CAboutDlg.h"

#include "framework/AfxFunctions.h"
#include "image/JpegDecoder.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/SharedFont.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "support/MessagePump.h"
#include "support/RecordingOpener.h"
#include "support/TopDownDib.h"
#include "support/WhileModal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Where the picture leaves room for the title, "Developed by:", the notice and
// the agency's name (left, top, right, bottom; right and bottom exclusive).
const RECT kFreeForCredits[] = {{168, 51, 290, 68},   {123, 150, 290, 165}, {17, 268, 290, 282},
                                 {17, 283, 290, 297},  {123, 196, 290, 210}, {123, 210, 290, 224},
                                 {123, 224, 290, 238}, {123, 238, 290, 252}};
// The template's place for the link, with the room below it that the picture
// leaves for the descenders of a 12-pixel font.
const RECT kFreeForAgencyLink{123, 166, 264, 182};
const RECT kCloseButton{276, 11, 291, 25};

// The box's client area as 0x00RRGGBB pixels, row by row.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    explicit Capture(HWND window)
    {
        RECT client{};
        ::GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        DWORD* bits = nullptr;
        GdiBitmap target = CreateTopDownDib(width, height, &bits);
        MemoryDC memory(::CreateCompatibleDC(nullptr));
        {
            SelectScope select(memory.get(), target.get());
            ClientDCScope source(window);
            ::BitBlt(memory.get(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);
        }
        ::GdiFlush();
        pixels.assign(bits, bits + width * height);
        for (DWORD& pixel : pixels)
            pixel &= 0xFFFFFF;
    }
    DWORD At(int x, int y) const { return pixels[y * width + x]; }
};

DWORD PicturePixel(const PLDIBSection& picture, int x, int y)
{
    const BYTE* p = picture.Row(y) + x * 4;
    return static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[1]) << 8 | p[0];
}

// A JPEG decodes the same every time; the screen may round a channel by one.
bool Differs(DWORD a, DWORD b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8)
            return true;
    return false;
}

// The box of the pixels inside area that are not the picture's (empty when none).
RECT DrawnOver(const Capture& shot, const PLDIBSection& picture, const RECT& area)
{
    RECT drawn{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Differs(shot.At(x, y), PicturePixel(picture, x, y))) {
                drawn.left = std::min<LONG>(drawn.left, x);
                drawn.top = std::min<LONG>(drawn.top, y);
                drawn.right = std::max<LONG>(drawn.right, x + 1);
                drawn.bottom = std::max<LONG>(drawn.bottom, y + 1);
            }
    return drawn;
}

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT ClientPlace(HWND dialog, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE TextSize(HFONT font, const std::string& text)
{
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    SelectScope selected(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// How far right the text reaches, drawn from x = 0 in the font.
int InkWidth(HFONT font, const std::string& text)
{
    const SIZE size = TextSize(font, text);
    const int width = size.cx + 20;
    DWORD* bits = nullptr;
    GdiBitmap target = CreateTopDownDib(width, size.cy, &bits);
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        SelectScope selected(dc.get(), target.get());
        SelectScope selectedFont(dc.get(), font);
        ::PatBlt(dc.get(), 0, 0, width, size.cy, BLACKNESS);
        ::SetTextColor(dc.get(), RGB(255, 255, 255));
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::TextOutA(dc.get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
        ::GdiFlush();
    }
    int right = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < width; ++x)
            if ((bits[y * width + x] & 0xFFFFFF) != 0)
                right = std::max(right, x + 1);
    return right;
}

POINT OnScreen(HWND window, POINT client)
{
    ::ClientToScreen(window, &client);
    return client;
}

// The pointer to a point of the screen, as the mouse would move it, with the
// button flags given (MOUSEEVENTF_LEFTDOWN, ...).
void MouseTo(POINT screen, DWORD buttons = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 over the primary screen.
    input.mi.dx = (screen.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (screen.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    ::SendInput(1, &input, sizeof input);
}

void ClickAt(HWND window, POINT client)
{
    const POINT screen = OnScreen(window, client);
    MouseTo(screen);
    MouseTo(screen, MOUSEEVENTF_LEFTDOWN);
    MouseTo(screen, MOUSEEVENTF_LEFTUP);
}

// A press at from, a move to to in two steps and the release there, by a hand
// of its own with pauses in between as a person's, while this thread runs the
// window's messages (and the system's move loop, should the press start one).
void Drag(HWND window, POINT from, POINT to)
{
    const POINT start = OnScreen(window, from);
    const POINT middle = OnScreen(window, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    const POINT end = OnScreen(window, to);
    bool done = false;
    std::thread hand([&] {
        MouseTo(start);
        ::Sleep(100);
        MouseTo(start, MOUSEEVENTF_LEFTDOWN);
        ::Sleep(300);
        MouseTo(middle);
        ::Sleep(100);
        MouseTo(end);
        ::Sleep(100);
        MouseTo(end, MOUSEEVENTF_LEFTUP);
        ::Sleep(100);
        done = true;
    });
    PumpMessagesUntil([&] { return done; }, 5000);
    hand.join();
    PumpPendingMessages();
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

HCURSOR Arrow()
{
    return ::LoadCursorA(nullptr, IDC_ARROW);
}

class AboutBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The program's own interface font, which the box takes its fonts from.
        m_font.SetFaceName("Georgia");
        m_font.SetItalic(true);
        SetSharedFont(&m_font);
        FillTranslationTable(GetTranslator());
        JpegDecoder().DecodeResource(AfxGetResourceHandle(), IDP_ABOUT, picture);
    }
    void TearDown() override
    {
        SetSharedFont(nullptr);
        // The pointer rests in the corner again, away from the other tests' windows.
        ::SetCursorPos(0, 0);
    }

    // Runs the box modally; whileOpen gets its window, its pictures painted.
    INT_PTR Run(std::function<void(HWND)> whileOpen)
    {
        CAboutDlg about;
        WhileModal watcher([&]() -> HWND { return ::IsWindowVisible(about.m_hWnd) ? about.m_hWnd : nullptr; },
                           [&](HWND box) {
                               ::UpdateWindow(box);
                               PumpPendingMessages();
                               whileOpen(box);
                           });
        const INT_PTR result = about.DoModal();
        EXPECT_TRUE(watcher.Ran());
        EXPECT_FALSE(watcher.GaveUp()) << "the box was still open";
        return result;
    }

    // The font the credits' title lines are drawn in.
    GdiFont TitleFont() const
    {
        LOGFONTA log = m_font.Log();
        log.lfWeight = FW_BOLD;
        return GdiFont(::CreateFontIndirectA(&log));
    }

    // Checks that the credits are drawn and each one on its free place.
    void ExpectCreditsOnTheirPlaces(HWND box)
    {
        const Capture shot(box);
        ASSERT_EQ(shot.width, 300);
        ASSERT_EQ(shot.height, 350);
        for (const RECT& free : kFreeForCredits) {
            // Along the whole line, so a text that runs out of its room shows.
            const RECT around{free.left - 10, free.top, 300, free.bottom};
            const RECT drawn = DrawnOver(shot, picture, around);
            EXPECT_FALSE(IsEmpty(drawn)) << "a credit at " << free.left << ", " << free.top;
            EXPECT_TRUE(Inside(drawn, free))
                << "the credit at " << free.left << ", " << free.top << " reaches " << drawn.left << ", " << drawn.top
                << " to " << drawn.right << ", " << drawn.bottom;
        }
        // Nothing but the picture elsewhere, the hot spot among it.
        EXPECT_TRUE(IsEmpty(DrawnOver(shot, picture, RECT{0, 0, 120, 260})));
        EXPECT_TRUE(IsEmpty(DrawnOver(shot, picture, RECT{0, 300, 300, 350})));
    }

    // How far right the second credit line is drawn.
    int SecondCreditRight(HWND box) { return DrawnOver(Capture(box), picture, kFreeForCredits[1]).right; }

    AppFont m_font;
    PLDIBSection picture;
};

using AboutBox = AboutBoxTest;

}  // namespace

TEST_F(AboutBox, ThePictureCarriesTheCreditsTheLinkAndTheCloseButtonWhereItLeavesRoom)
{
    const INT_PTR result = Run([&](HWND box) {
        EXPECT_EQ(::GetWindowLongPtrA(box, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
        ExpectCreditsOnTheirPlaces(box);
        EXPECT_NEAR(SecondCreditRight(box), 123 + InkWidth(TitleFont().get(), "Developed by:"), 1);

        HWND close = ::GetDlgItem(box, IDC_ABOUT_CLOSE);
        EXPECT_TRUE(::IsWindowVisible(close));
        const RECT closePlace = ClientPlace(box, close);
        EXPECT_TRUE(::EqualRect(&kCloseButton, &closePlace));

        HWND maker = ::GetDlgItem(box, IDC_ABOUT_MAKER_LINK);
        EXPECT_FALSE(::IsWindowVisible(maker));
        EXPECT_EQ(GetWindowTextString(maker), ZORLA_MAKER_HOST);

        HWND agency = ::GetDlgItem(box, IDC_ABOUT_AGENCY_LINK);
        EXPECT_TRUE(::IsWindowVisible(agency));
        EXPECT_EQ(GetWindowTextString(agency), ZORLA_AGENCY_HOST);
        const RECT link = ClientPlace(box, agency);
        EXPECT_EQ(link.left, 123);
        EXPECT_EQ(link.top, 166);
        // In the text font, its last letter's slant included.
        const RECT ink = DrawnOver(Capture(box), picture, RECT{110, 166, 300, 182});
        EXPECT_TRUE(Inside(ink, kFreeForAgencyLink)) << ink.right << ", " << ink.bottom;
        EXPECT_GE(ink.right - 123, InkWidth(m_font.Handle(), ZORLA_AGENCY_HOST));
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL) << "WM_CLOSE ends the box";
}

TEST_F(AboutBox, TheHotSpotShowsTheHandAndTheRestOfThePictureTheArrow)
{
    std::vector<HCURSOR> seen;
    HCURSOR hand = CHyperLink::GetLinkCursor();
    Run([&](HWND box) {
        // Inside the ellipse; inside its box but outside the ellipse; the plain
        // picture; and back.
        const std::pair<POINT, HCURSOR> moves[] = {
            {{60, 60}, hand}, {{10, 10}, Arrow()}, {{200, 220}, Arrow()}, {{100, 70}, hand}, {{150, 60}, Arrow()}};
        for (const auto& move : moves) {
            MouseTo(OnScreen(box, move.first));
            PumpMessagesUntil([&] { return ::GetCursor() == move.second; }, 3000);
            seen.push_back(::GetCursor());
        }
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(seen, (std::vector<HCURSOR>{hand, Arrow(), Arrow(), hand, Arrow()}));
}

TEST_F(AboutBox, AClickOnTheHotSpotOpensTheBrandsSiteAndEndsTheBoxInOneStep)
{
    RecordingOpener opener;
    opener.shellResult = 42;
    InstalledOpener installed(opener);
    HWND window = nullptr;
    // In the top band too: the hot spot wins over moving the box.
    const INT_PTR result = Run([&](HWND box) {
        window = box;
        ClickAt(box, POINT{60, 20});
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_TRUE(opener.WaitForCalls(1));
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{"shell " ZORLA_BRAND_URL "|"});
}

TEST_F(AboutBox, APressInTheTopBandMovesTheBoxWithThePointerAndOneBelowItDoesNot)
{
    RecordingOpener opener;
    InstalledOpener installed(opener);
    POINT moved{};
    POINT movedBelow{};
    Run([&](HWND box) {
        const RECT before = WindowRect(box);
        Drag(box, POINT{200, 20}, POINT{240, 50});
        const RECT after = WindowRect(box);
        moved = POINT{after.left - before.left, after.top - before.top};
        // The box's client coordinates have moved along: 40 further down is
        // below the band.
        Drag(box, POINT{200, 40}, POINT{230, 70});
        const RECT last = WindowRect(box);
        movedBelow = POINT{last.left - after.left, last.top - after.top};
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(moved.x, 40);
    EXPECT_EQ(moved.y, 30);
    EXPECT_EQ(movedBelow.x, 0);
    EXPECT_EQ(movedBelow.y, 0);
    EXPECT_TRUE(opener.Calls().empty()) << "no link was followed";
}

TEST_F(AboutBox, TheCloseButtonEndsTheBox)
{
    RecordingOpener opener;
    InstalledOpener installed(opener);
    const INT_PTR result = Run([&](HWND box) { ClickAt(box, POINT{283, 18}); });
    EXPECT_EQ(result, IDOK);
    PumpMessagesUntil([] { return false; }, 100);
    EXPECT_TRUE(opener.Calls().empty());
}

// Left at its 96-DPI size on a monitor of 150 %, the box would crop its
// picture and keep the close button and the hot spot where the picture no
// longer shows them.
TEST_F(AboutBox, OnAMonitorOf150PercentTheBoxAndItsPlacesAreHalfAgainAsBig)
{
    RecordingOpener opener;
    InstalledOpener installed(opener);
    RECT client{};
    RECT close{};
    HCURSOR overSpot = nullptr;
    const INT_PTR result = Run([&](HWND box) {
        RECT suggested = WindowRect(box);
        ::SendMessageA(box, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        PumpPendingMessages();
        ::GetClientRect(box, &client);
        close = ClientPlace(box, ::GetDlgItem(box, IDC_ABOUT_CLOSE));
        // (95, 95) at 96 DPI: inside the ellipse, and scaled beyond its old box.
        MouseTo(OnScreen(box, POINT{142, 142}));
        PumpMessagesUntil([&] { return ::GetCursor() == CHyperLink::GetLinkCursor(); }, 3000);
        overSpot = ::GetCursor();
        ClickAt(box, POINT{425, 27});
    });
    EXPECT_EQ(client.right, 450);
    EXPECT_EQ(client.bottom, 525);
    const RECT scaledClose{414, 17, 437, 38};
    EXPECT_TRUE(::EqualRect(&close, &scaledClose)) << close.left << ", " << close.top << " to " << close.right << ", "
                                                   << close.bottom;
    EXPECT_EQ(overSpot, CHyperLink::GetLinkCursor());
    EXPECT_EQ(result, IDOK) << "the close button's new place ends the box";
    EXPECT_TRUE(opener.Calls().empty());
}

class GermanAboutBox : public AboutBoxTest {};

TEST_F(GermanAboutBox, TheSecondCreditReadsEntwickeltVon)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman);
    int drawnTo = 0;
    Run([&](HWND box) {
        ExpectCreditsOnTheirPlaces(box);
        drawnTo = SecondCreditRight(box);
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(CAboutDlg::Credits()[1].text, "Entwickelt von:");
    // The German words are drawn, not the English ones.
    EXPECT_NEAR(drawnTo, 123 + InkWidth(TitleFont().get(), "Entwickelt von:"), 1);
}
