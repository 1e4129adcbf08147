// Note windows on a monitor at 150 %, and the stored places older copies read.
#include "NoteWindowFixture.h"
#include "image/DisplayScale.h"
#include "notes/StoredPlace.h"
#include "shared/AppFont.h"
#include "shared/SharedFont.h"

#include <cmath>

namespace {

// Where a window or child sits: its client-relative rectangle, its outline's box.
struct Look {
    RECT window, outline, text, close;
};

Look LookOf(HWND note)
{
    Look look{};
    ::GetWindowRect(note, &look.window);
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(note, region.get());
    ::GetRgnBox(region.get(), &look.outline);
    for (auto [id, rect] : {std::pair{IDC_NOTE_TEXT, &look.text}, std::pair{IDC_NOTE_CLOSE, &look.close}}) {
        ::GetWindowRect(::GetDlgItem(note, id), rect);
        ::MapWindowPoints(nullptr, note, reinterpret_cast<POINT*>(rect), 2);
    }
    return look;
}

void ExpectOneAndAHalf(const RECT& base, const RECT& scaled, const char* what)
{
    const LONG* from = &base.left;
    const LONG* to = &scaled.left;
    for (int edge = 0; edge < 4; ++edge)
        EXPECT_LE(std::abs(from[edge] * 3 / 2 - to[edge]), 1) << what << ": " << from[edge] << " -> " << to[edge];
}

}  // namespace

TEST_F(NoteWindowTest, NoteAndReminderOnAMonitorAtOneAndAHalfTimesAreScaledWhole)
{
    AppFont font;
    SetSharedFont(&font);
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Milch\" wndX=\"100\" wndY=\"100\"/>");
    LoadTimers("<ENTRY _id_=\"2\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"Zahnarzt\" wndX=\"400\" "
               "wndY=\"100\"/>");
    OpenAll(notes);
    OpenAll(timers);
    NotePictures pictures;
    for (auto [key, kind] : {std::pair{"Zorla 1.0NID:1", EntryKind::Note}, {"Zorla 1.0TID:2", EntryKind::Reminder}}) {
        HWND window = *Window(key);
        const Look base = LookOf(window);
        ::UpdateWindow(window);
        // Paper under the edit's last line, at 100 % and at 150 %.
        const COLORREF paper =
            ScreenPixel(base.window.left + base.text.left + 10, base.window.top + base.text.bottom - 5);
        RECT proposed = base.window;
        ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&proposed));
        const Look scaled = LookOf(window);
        const PLDIBSection& picture = pictures.Background(kind);
        EXPECT_EQ(DisplayScale(144).Px(picture.Width()), scaled.window.right - scaled.window.left) << key;
        EXPECT_EQ(DisplayScale(144).Px(picture.Height()), scaled.window.bottom - scaled.window.top) << key;
        EXPECT_EQ(base.window.left, scaled.window.left) << key << " stays where Windows proposed";
        ExpectOneAndAHalf(base.outline, scaled.outline, key);
        ExpectOneAndAHalf(base.text, scaled.text, key);
        ExpectOneAndAHalf(base.close, scaled.close, key);
        LOGFONTA log{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendDlgItemMessageA(window, IDC_NOTE_TEXT, WM_GETFONT, 0, 0)),
                     sizeof log, &log);
        EXPECT_EQ(-18, log.lfHeight) << key;
        ::UpdateWindow(window);
        const COLORREF drawn =
            ScreenPixel(scaled.window.left + scaled.text.left + 15, scaled.window.top + scaled.text.bottom - 8);
        for (int shift : {0, 8, 16})
            EXPECT_LE(std::abs(int(paper >> shift & 0xFF) - int(drawn >> shift & 0xFF)), 40) << key << shift;
        ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(base.close.left, LookOf(window).close.left) << key << " back at 100 % as before";
        EXPECT_EQ(base.window.right, LookOf(window).window.right) << key;
    }
    main.registry.CloseAllKeepingState();
    SetSharedFont(nullptr);
}

TEST(StoredPlaceTest, PlacesAreStoredInTheSystemScalesUnitsAndAnUnmovedOneKeepsItsValue)
{
    struct Row {
        int dpi;
        POINT stored, screen, expected;
    };
    const Row rows[] = {
        {96, {100, 120}, {100, 120}, {100, 120}},   // opened, not moved
        {96, {100, 120}, {130, 90}, {130, 90}},     // moved
        {144, {100, 120}, {150, 180}, {100, 120}},  // opened, not moved
        {144, {101, 121}, {152, 182}, {101, 121}},  // opened, not moved, shown rounded
        {144, {100, 120}, {301, 451}, {201, 301}},  // moved
        {144, {-1, -1}, {30, 45}, {20, 30}},        // a new note's first place
    };
    for (const Row& row : rows) {
        const DisplayScale system(row.dpi);
        const POINT stored = StoredPlace::ForScreen(row.screen, row.stored, system);
        EXPECT_EQ(row.expected.x, stored.x) << row.dpi << " dpi, screen " << row.screen.x;
        EXPECT_EQ(row.expected.y, stored.y) << row.dpi << " dpi, screen " << row.screen.y;
        const POINT back = StoredPlace::OnScreen(stored, system);
        EXPECT_LE(std::abs(back.x - row.screen.x), 1) << "read back where it was left";
        EXPECT_LE(std::abs(back.y - row.screen.y), 1);
    }
}
