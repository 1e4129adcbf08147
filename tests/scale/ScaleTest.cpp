// The real Zorla.exe on a screen scaled to 150 % or 200 %: its picture, hot
// spots, controls and windows at that scale.
#include "image/DisplayScale.h"
#include "image/JpegDecoder.h"
#include "resource.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/WindowState.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int kGolden150 = 950;
const int kGolden200 = 951;

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, 5000, &ignored);
}

void Click(HWND window, POINT at)
{
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Send(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

bool Shown(HWND window, int id)
{
    return (GetWindowLongPtrA(GetDlgItem(window, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// The window as the screen shows it, 32 bits per pixel.
PLDIBSection Capture(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    PLDIBSection shot;
    shot.Create(frame.right - frame.left, frame.bottom - frame.top, 32);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, shot.Handle());
    BitBlt(memory, 0, 0, shot.Width(), shot.Height(), screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

struct Difference {
    double mean = 0;        // per channel, over the pixels inside the outline
    double farShare = 0;    // share of those pixels off by more than 48 in a channel
    long inside = 0;
};

Difference Compare(const PLDIBSection& shot, const PLDIBSection& golden, HRGN outline)
{
    Difference result;
    long offPixels = 0;
    double sum = 0;
    const int width = std::min(shot.Width(), golden.Width());
    const int height = std::min(shot.Height(), golden.Height());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!PtInRegion(outline, x, y))
                continue;
            const BYTE* a = shot.Row(y) + x * 4;
            const BYTE* b = golden.Row(y) + x * 4;
            int worst = 0;
            for (int c = 0; c < 3; ++c) {
                const int d = std::abs(a[c] - b[c]);
                sum += d;
                worst = std::max(worst, d);
            }
            offPixels += worst > 48;
            ++result.inside;
        }
    }
    if (result.inside) {
        result.mean = sum / (3.0 * result.inside);
        result.farShare = static_cast<double>(offPixels) / result.inside;
    }
    return result;
}

}  // namespace

TEST(Scale, TheMainWindowIsDrawnForTheScreensScaleAndAnswersClicksAtItsScaledPlaces)
{
    const DisplayScale scale = DisplayScale::ForSystem();
    ASSERT_TRUE(scale.Dpi() == 144 || scale.Dpi() == 192) << "the prefix is not scaled: " << scale.Dpi();
    ZorlaCopy copy("ZorlaScale");
    // A place where the window fit on this screen at 100 %: scaled, it would
    // reach past the screen, and is pulled back onto it.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    TestRegistry::WriteDword(copy.Name(), "CQuokkaDlg", "WndX", static_cast<DWORD>(screenWidth - 450));
    TestRegistry::WriteDword(copy.Name(), "CQuokkaDlg", "WndY", static_cast<DWORD>(screenHeight - 450));
    std::unique_ptr<TestProcess> process;
    HWND main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);
    SetForegroundWindow(main);
    Send(main, WM_NULL, 0, 0);
    Sleep(500);

    RECT frame{};
    GetWindowRect(main, &frame);
    EXPECT_EQ(frame.right - frame.left, scale.Px(440));
    EXPECT_EQ(frame.bottom - frame.top, scale.Px(444));
    EXPECT_EQ(frame.right, screenWidth);
    EXPECT_EQ(frame.bottom, screenHeight);

    // The picture against the art drawn directly at this scale: area-averaging
    // the doubled art leaves only soft-edge and JPEG noise; a picture stretched
    // from 100 % or placed a pixel off differs along every edge.
    PLDIBSection golden;
    JpegDecoder().DecodeResource(GetModuleHandleA(nullptr), scale.Dpi() == 144 ? kGolden150 : kGolden200, golden, 32);
    HRGN outline = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, outline), ERROR);
    // The link's text is the program's, not the art's.
    const RECT link = PlaceIn(main, GetDlgItem(main, IDC_WEBLINK));
    HRGN linkArea = CreateRectRgnIndirect(&link);
    CombineRgn(outline, outline, linkArea, RGN_DIFF);
    DeleteObject(linkArea);
    const Difference difference = Compare(Capture(main), golden, outline);
    DeleteObject(outline);
    std::printf("at %d dpi the picture is %.2f off the art on average, %.3f %% of it by more than 48\n", scale.Dpi(),
                difference.mean, 100 * difference.farShare);
    EXPECT_GT(difference.inside, scale.Px(400) * scale.Px(400));
    EXPECT_LT(difference.mean, 2.0) << "far off: " << difference.farShare << " at " << scale.Dpi();
    EXPECT_LT(difference.farShare, 0.001) << "mean: " << difference.mean << " at " << scale.Dpi();

    // The hot spots answer at their scaled places, and the controls sit there.
    // The weather view shows the city list, the editors the text, the timer
    // editor also the time; home shows none.
    const struct {
        POINT at;  // at 100 %
        int shownControl;
        RECT controlAt;  // at 100 %, left top right bottom
        bool showsText;
    } kSteps[] = {
        {{270, 300}, IDC_CITY_LIST, {160, 214, 286, 237}, false},
        {{60, 250}, 0, {}, false},
        {{236, 160}, IDC_EDITOR_TEXT, {178, 141, 327, 275}, true},
        {{60, 250}, 0, {}, false},
        {{230, 228}, IDC_TIME_PICKER, {272, 317, 328, 341}, true},
        {{60, 250}, 0, {}, false},
    };
    for (const auto& step : kSteps) {
        Click(main, scale.Point(step.at));
        for (int id : {IDC_CITY_LIST, IDC_TIME_PICKER})
            EXPECT_EQ(Shown(main, id), id == step.shownControl) << step.at.x << "," << step.at.y << ": " << id;
        EXPECT_EQ(Shown(main, IDC_EDITOR_TEXT), step.showsText) << step.at.x << "," << step.at.y;
        if (!step.shownControl)
            continue;
        const RECT expected = scale.Rect(step.controlAt);
        const RECT place = PlaceIn(main, GetDlgItem(main, step.shownControl));
        EXPECT_NEAR(place.left, expected.left, scale.Px(2)) << step.shownControl;
        EXPECT_NEAR(place.top, expected.top, scale.Px(2)) << step.shownControl;
        EXPECT_NEAR(place.right, expected.right, scale.Px(2)) << step.shownControl;
    }

    // A note typed there opens at the scale too: the note picture is 193 x 218 at 100 %.
    Click(main, scale.Point(POINT{236, 160}));
    HWND editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    PostMessageA(editor, WM_CHAR, 'x', 1);
    Send(editor, WM_NULL, 0, 0);
    Click(main, scale.Point(POINT{60, 250}));
    HWND note = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (note = FindWindowA("#32770", "Zorla 1.0NID:1")) != nullptr; }, 5000));
    RECT noteFrame{};
    GetWindowRect(note, &noteFrame);
    EXPECT_NEAR(noteFrame.right - noteFrame.left, scale.Px(193), 1);
    EXPECT_NEAR(noteFrame.bottom - noteFrame.top, scale.Px(218), 1);
    EXPECT_TRUE(ZorlaCopy::Exit(main, *process));
}

TEST(Scale, ADueReminderAndItsDueDialogAreScaledWhole)
{
    const DisplayScale scale = DisplayScale::ForSystem();
    ZorlaCopy copy("ZorlaScaleDue");
    TestFiles::Write(copy.Folder().File("Zorla_Timer"),
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" date=\"" +
                         ZorlaCopy::MinuteOfNow() + "\" notify=\"0\" text=\"Tee\" wndX=\"100\" wndY=\"100\"/></DATABASE>");
    std::unique_ptr<TestProcess> process;
    HWND main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);
    HWND reminder = nullptr;
    // Shown and alerting: made whole at its picture's size.
    ASSERT_TRUE(WaitUntil(
        [&] {
            return (reminder = FindWindowA("#32770", "Zorla 1.0TID:1")) != nullptr && IsWindowVisible(reminder) &&
                   TopMost(reminder);
        },
        5000));
    const RECT frame = ScreenRect(reminder);
    EXPECT_NEAR(frame.right - frame.left, scale.Px(194), 1) << "the reminder picture is 194 x 146 at 100 %";
    EXPECT_NEAR(frame.bottom - frame.top, scale.Px(146), 1);

    PostMessageA(reminder, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(reminder, IDC_NOTE_CLOSE)));
    HWND due = WaitForProcessDialog(process->Id(), IDC_DUE_CHOICES, 5000);
    ASSERT_NE(due, nullptr);
    // Its classic 294 x 146 client area at the scale, and every control whole inside it.
    RECT client{};
    GetClientRect(due, &client);
    EXPECT_NEAR(client.right, scale.Px(294), 1);
    EXPECT_NEAR(client.bottom, scale.Px(146), 1);
    for (HWND child = GetWindow(due, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place = PlaceIn(due, child);
        RECT inside{};
        EXPECT_TRUE(IntersectRect(&inside, &place, &client) && EqualRect(&inside, &place)) << GetDlgCtrlID(child);
    }
    PostMessageA(due, WM_COMMAND, MAKEWPARAM(IDC_DUE_CANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ZorlaCopy::Exit(main, *process));
}
