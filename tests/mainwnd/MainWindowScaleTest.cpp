// The main window moved to a monitor of another scale is made anew for it.
#include "MainWindowFixture.h"
#include "image/DisplayScale.h"
#include "mainwnd/HotSpotId.h"
#include "support/WindowState.h"

namespace {

void ExpectNear(const RECT& actual, const RECT& expected, int slack, const char* what)
{
    EXPECT_NEAR(actual.left, expected.left, slack) << what;
    EXPECT_NEAR(actual.top, expected.top, slack) << what;
    EXPECT_NEAR(actual.right, expected.right, slack) << what;
    EXPECT_NEAR(actual.bottom, expected.bottom, slack) << what;
}

}  // namespace

TEST_F(MainWindowFixture, MovedToAMonitorOfAnotherScaleItsPictureOutlineHotSpotsAndControlsFollow)
{
    Open();
    dlg->OpenEditor(MainView::Reminder);
    const int startDpi = dlg->Face().Scale().Dpi();
    ASSERT_EQ(startDpi, 96);
    auto fontHeight = [&] {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Item(IDC_EDITOR_TEXT), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    const LONG baseHeight = fontHeight();
    for (int dpi : {144, 192, 120, startDpi}) {
        const DisplayScale scale(dpi);
        RECT proposed = {100, 80, 100 + scale.Px(440), 80 + scale.Px(444)};
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&proposed));

        RECT frame{};
        GetWindowRect(window, &frame);
        ExpectNear(frame, proposed, 0, "window");
        HRGN outline = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(window, outline);
        RECT box{};
        GetRgnBox(outline, &box);
        DeleteObject(outline);
        ExpectNear(box, scale.Rect(RECT{0, 1, 439, 443}), 1, "outline");
        for (const auto& spot : dlg->Face().HotSpots()) {
            if (spot->Id() == HotSpotClose)
                ExpectNear(spot->Bounds(), scale.Rect(RECT{399, 260, 421, 283}), 0, "close button");
        }
        // The editor and the time picker at their places on the picture.
        ExpectNear(PlaceIn(window, Item(IDC_EDITOR_TEXT)), scale.Rect(RECT{179, 141, 328, 274}), 1, "editor");
        ExpectNear(PlaceIn(window, Item(IDC_TIME_PICKER)), scale.Rect(RECT{272, 317, 329, 341}), 1, "time");
        EXPECT_EQ(fontHeight(), scale.Px(baseHeight)) << dpi;
    }
}
