#include "mainwnd/HotSpotId.h"
#include "mainwnd/MainTimers.h"
#include "mainwnd/PictureFace.h"
#include "shared/MainSettings.h"
#include "resource.h"
#include "support/HeardSounds.h"

#include "shared/AppFont.h"
#include "shared/SharedFont.h"
#include "shared/HighContrast.h"
#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "image/JpegDecoder.h"
#include "support/MessageBoxAnswerer.h"
#include "support/MessagePump.h"
#include "support/TopDownDib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

const int kLeft = 30;
const int kTop = 40;

PictureFace* g_painted = nullptr;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && g_painted) {
        PaintScope paint(window);
        g_painted->Paint(paint.dc());
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow()
{
    static ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZorlaHandlerTest";
        return ::RegisterClassA(&windowClass);
    }();
    if (!atom)
        return nullptr;
    return ::CreateWindowExA(WS_EX_TOPMOST, "ZorlaHandlerTest", "handler test", WS_POPUP | WS_VISIBLE, kLeft, kTop, 440,
                             444, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

// 0x00RRGGBB pixels of a rectangle, row by row.
using Pixels = std::vector<DWORD>;

Pixels CaptureWindow(HWND window, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    DWORD* bits = nullptr;
    GdiBitmap target = CreateTopDownDib(width, height, &bits);
    MemoryDC memory(::CreateCompatibleDC(nullptr));
    {
        SelectScope select(memory.get(), target.get());
        WindowDCScope source(window);
        ::BitBlt(memory.get(), 0, 0, width, height, source.dc(), rect.left, rect.top, SRCCOPY);
    }
    ::GdiFlush();
    Pixels pixels(bits, bits + width * height);
    for (DWORD& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// The pixels of a picture's part, as they would appear drawn.
Pixels PicturePart(const PLDIBSection& picture, const RECT& part)
{
    Pixels pixels;
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            const BYTE* p = picture.Row(y) + x * 4;
            pixels.push_back(static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[1]) << 8 | p[0]);
        }
    }
    return pixels;
}

Pixels WholePicture(int id)
{
    JpegDecoder decoder;
    PLDIBSection picture;
    decoder.DecodeResource(AfxGetResourceHandle(), id, picture);
    return PicturePart(picture, RECT{0, 0, picture.Width(), picture.Height()});
}

Pixels PicturePart(int id, const RECT& part)
{
    JpegDecoder decoder;
    PLDIBSection picture;
    decoder.DecodeResource(AfxGetResourceHandle(), id, picture);
    return PicturePart(picture, part);
}

int Area(const RECT& rect)
{
    return (rect.right - rect.left) * (rect.bottom - rect.top);
}

int Count(const Pixels& pixels, DWORD colour)
{
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

struct Recorder {
    std::vector<int> ids;
};

class HandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window);
        ASSERT_TRUE(m_face.IsComplete());
        ASSERT_TRUE(m_face.DecodeRest());
        m_face.Attach(m_window);
        m_face.SetHotSpotAction([this](int id) { m_actions.ids.push_back(id); });
        g_painted = &m_face;
        PumpPendingMessages();
    }
    void TearDown() override { g_painted = nullptr; }

    // The id of the action a click runs, 0 for none.
    int ClickAt(int x, int y)
    {
        m_actions.ids.clear();
        const bool hit = m_face.Click(POINT{x, y});
        EXPECT_EQ(hit, m_face.HitTest(POINT{x, y})) << x << "," << y;
        if (!hit) {
            EXPECT_TRUE(m_actions.ids.empty());
            return 0;
        }
        EXPECT_EQ(m_actions.ids.size(), 1u);
        return m_actions.ids.empty() ? -1 : m_actions.ids[0];
    }

    void ShowView(MainView view, int picture)
    {
        ASSERT_TRUE(m_face.LoadBackground(picture));
        m_views.Set(view);
    }

    std::set<int> HoveredAt(int x, int y)
    {
        m_face.UpdateHover(POINT{kLeft + x, kTop + y});
        std::set<int> ids;
        for (const auto& spot : m_face.HotSpots()) {
            if (spot->IsHovered())
                ids.insert(spot->Id());
        }
        return ids;
    }

    void PaintBlack()
    {
        WindowDCScope dc(m_window);
        RECT all = {0, 0, 440, 444};
        ::FillRect(dc.dc(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }

    void PaintHandler()
    {
        WindowDCScope dc(m_window);
        m_face.Paint(dc.dc());
    }

    Pixels Capture(const RECT& rect) { return CaptureWindow(m_window, rect); }

    HWND m_window = CreateMainWindow();
    MainSettings m_settings;
    HeardSounds m_sounds{m_settings};
    ViewState m_views;
    PictureFace m_face{m_sounds, m_views};
    Recorder m_actions;
};

TEST_F(HandlerTest, HomeViewRunsTheMenuCardAndTheFixedSpots)
{
    ASSERT_EQ(m_face.GetView(), MainView::Home);
    ASSERT_EQ(m_face.HotSpots().size(), 11u);
    EXPECT_EQ(ClickAt(100, 200), 0) << "the figure is no hot spot at home: the click drags";
    EXPECT_EQ(ClickAt(240, 140), HotSpotNotes);
    EXPECT_EQ(ClickAt(230, 225), HotSpotReminder);
    EXPECT_EQ(ClickAt(280, 300), HotSpotWeather);
    EXPECT_EQ(ClickAt(130, 90), HotSpotBrandLogo);
    EXPECT_EQ(ClickAt(410, 270), HotSpotClose);
    EXPECT_EQ(ClickAt(361, 108), HotSpotEnvelope);
    EXPECT_EQ(ClickAt(349, 97), 0) << "outside the envelope's slanted edge";
    EXPECT_EQ(ClickAt(170, 364), 0) << "no back arrow at home";
    EXPECT_EQ(ClickAt(300, 225), 0) << "no refresh arrow at home";
    EXPECT_EQ(ClickAt(421, 270), 0) << "right edge is exclusive";

    // Only the three card items chime, each with its own wave.
    std::vector<std::pair<int, int>> sounds;
    for (const auto& spot : m_face.HotSpots()) {
        if (spot->HoverSound())
            sounds.emplace_back(spot->Id(), spot->HoverSound());
    }
    EXPECT_EQ(sounds, (std::vector<std::pair<int, int>>{{HotSpotNotes, IDW_NOTES_HOVER},
                                                        {HotSpotReminder, IDW_REMINDER_HOVER},
                                                        {HotSpotWeather, IDW_WEATHER_HOVER}}));
}

TEST_F(HandlerTest, OtherViewsGoHomeThroughTheFigureAndTheBackArrow)
{
    ShowView(MainView::Weather, IDP_WEATHER);
    EXPECT_EQ(ClickAt(100, 200), HotSpotFigure);
    EXPECT_EQ(ClickAt(100, 118), HotSpotBrandLogo) << "the logo comes first in the list";
    EXPECT_EQ(HoveredAt(100, 118), (std::set<int>{HotSpotBrandLogo, HotSpotFigure}));
    EXPECT_EQ(ClickAt(300, 225), HotSpotRefresh);
    EXPECT_EQ(ClickAt(170, 364), HotSpotBack);
    EXPECT_EQ(ClickAt(240, 140), 0) << "the menu card is only at home";
    EXPECT_EQ(ClickAt(330, 280), 0) << "neither editor's button in the weather view";

    m_views.Set(MainView::Notes);
    EXPECT_EQ(ClickAt(330, 280), HotSpotFileNote);
    EXPECT_EQ(ClickAt(300, 225), 0);
    m_views.Set(MainView::Reminder);
    EXPECT_EQ(ClickAt(330, 280), HotSpotAlarmClock);
    EXPECT_EQ(ClickAt(362, 308), HotSpotAlarmClock) << "the alarm clock reaches past the label's area";
    EXPECT_EQ(ClickAt(100, 200), HotSpotFigure);

    // The two saving buttons overlap; no view makes both active.
    const HotSpot* alarm = nullptr;
    const HotSpot* label = nullptr;
    for (const auto& spot : m_face.HotSpots()) {
        alarm = spot->Id() == HotSpotAlarmClock ? spot.get() : alarm;
        label = spot->Id() == HotSpotFileNote ? spot.get() : label;
    }
    ASSERT_TRUE(alarm && label);
    for (MainView view : {MainView::Home, MainView::Weather, MainView::Notes, MainView::Reminder})
        EXPECT_FALSE(alarm->IsActive(view) && label->IsActive(view)) << MaskOf(view);
}

TEST_F(HandlerTest, HoverTestsUseScreenPointsAndClearOldMarks)
{
    EXPECT_EQ(HoveredAt(240, 140), (std::set<int>{HotSpotNotes}));
    EXPECT_EQ(HoveredAt(230, 225), (std::set<int>{HotSpotReminder}));
    EXPECT_EQ(HoveredAt(100, 200), (std::set<int>{}));
    EXPECT_FALSE(m_face.UpdateHover(POINT{kLeft + 100, kTop + 200}));
    EXPECT_TRUE(m_face.UpdateHover(POINT{kLeft + 410, kTop + 270}));
    // The same point taken as a screen point is somewhere else in the window.
    EXPECT_FALSE(m_face.UpdateHover(POINT{410 - kLeft, 270 - kTop}));
}

TEST_F(HandlerTest, MenuCardItemsSoundOnceWhenThePointerEnters)
{
    m_settings.playSounds = 1;
    HoveredAt(240, 140);  // notes
    EXPECT_EQ(m_sounds.played, (std::vector<int>{IDW_NOTES_HOVER}));
    HoveredAt(230, 225);  // timer
    HoveredAt(232, 226);  // still the timer: no second sound
    EXPECT_EQ(m_sounds.played, (std::vector<int>{IDW_NOTES_HOVER, IDW_REMINDER_HOVER}));
    HoveredAt(240, 140);  // back to the notes
    HoveredAt(250, 310);  // weather
    EXPECT_EQ(m_sounds.played,
              (std::vector<int>{IDW_NOTES_HOVER, IDW_REMINDER_HOVER, IDW_NOTES_HOVER, IDW_WEATHER_HOVER}));
    HoveredAt(410, 270);  // the close button has a picture but no sound
    EXPECT_EQ(m_sounds.played.size(), 4u);

    m_settings.playSounds = 0;
    HoveredAt(240, 140);
    EXPECT_EQ(m_sounds.played.size(), 4u) << "the switch silences every hover";
}

struct HoverCase {
    MainView view;
    int background;
    POINT at;
    int picture;
    RECT rect;
};

TEST_F(HandlerTest, HoverPicturesAppearAtTheirRectanglesAndGoAgain)
{
    const HoverCase cases[] = {
        {MainView::Home, IDP_HOME, {410, 270}, IDP_CLOSE_HOVER, {399, 259, 421, 282}},
        {MainView::Home, IDP_HOME, {361, 108}, IDP_ENVELOPE_HOVER, {349, 96, 373, 121}},
        {MainView::Weather, IDP_WEATHER, {170, 364}, IDP_BACK_HOVER, {159, 353, 184, 376}},
        {MainView::Weather, IDP_WEATHER, {302, 226}, IDP_REFRESH_HOVER, {291, 215, 314, 237}},
    };
    for (const HoverCase& c : cases) {
        ShowView(c.view, c.background);
        m_face.UpdateHover(POINT{kLeft + 5, kTop + 5});
        PaintBlack();
        m_face.UpdateHover(POINT{kLeft + c.at.x, kTop + c.at.y});
        EXPECT_EQ(Capture(c.rect),
                  PicturePart(c.picture, RECT{0, 0, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top}))
            << c.picture;
        const RECT below = {c.rect.left, c.rect.bottom, c.rect.right, c.rect.bottom + 1};
        EXPECT_EQ(Count(Capture(below), 0), c.rect.right - c.rect.left) << c.picture << ": drawn too low";

        m_face.UpdateHover(POINT{kLeft + c.at.x + 1, kTop + c.at.y});
        PaintBlack();
        m_face.UpdateHover(POINT{kLeft + c.at.x, kTop + c.at.y + 1});
        EXPECT_EQ(Count(Capture(c.rect), 0), (c.rect.right - c.rect.left) * (c.rect.bottom - c.rect.top))
            << c.picture << ": a hover that stays draws nothing new";

        m_face.UpdateHover(POINT{kLeft + 5, kTop + 5});
        EXPECT_EQ(Capture(c.rect), PicturePart(c.background, c.rect)) << c.picture << ": not restored";
    }
}

TEST_F(HandlerTest, BlinkingClosesAndOpensTheEyesOfTheView)
{
    struct BlinkCase {
        MainView view;
        int background;
        int overlay;
        RECT rect;
    };
    const BlinkCase cases[] = {
        {MainView::Home, IDP_HOME, IDP_BLINK_HOME, {51, 134, 85, 152}},
        {MainView::Reminder, IDP_REMINDER_EDITOR, IDP_BLINK_OTHER, {62, 138, 100, 152}},
    };
    for (const BlinkCase& c : cases) {
        ShowView(c.view, c.background);
        const RECT around = {c.rect.left - 1, c.rect.top - 1, c.rect.right + 1, c.rect.bottom + 1};
        const int ring = 2 * (c.rect.right - c.rect.left + 2) + 2 * (c.rect.bottom - c.rect.top);
        const Pixels overlay = WholePicture(c.overlay);
        const Pixels openEyes = PicturePart(c.background, c.rect);

        PaintBlack();
        // Each step either restores the open eyes or draws the closed ones, and
        // the phase it returns says which; three steps show both.
        std::set<bool> seen;
        for (int step = 0; step < 3; ++step) {
            const bool open = m_face.BlinkStep();
            seen.insert(open);
            if (&c == &cases[0] && step == 0) {
                EXPECT_TRUE(open) << "a new handler's first step only restores";
            }
            EXPECT_EQ(Capture(c.rect), open ? openEyes : overlay) << MaskOf(c.view) << " step " << step;
            EXPECT_EQ(Count(Capture(around), 0) - Count(Capture(c.rect), 0), ring)
                << MaskOf(c.view) << ": drawn outside the blink rectangle";
        }
        EXPECT_EQ(seen.size(), 2u);
    }
}

// The status line's drawing rule, as pixels: the text is white and its black
// shadow lies one pixel right and down. The font smooths its edges, so only a
// pixel the stroke covers fully is pure white, and only one the shadow covers
// fully (and the stroke not at all) is pure black; everything in between is a
// blend that depends on the face. The checks therefore look at pure pixels only:
// - below and right of every pure white pixel lies the shadow's full black, and
//   whatever the white stroke adds over it: the pixel is black, white or a grey
//   of the two, never a blend with the background's colour;
// - up and left of every pure black pixel lies a pure white one;
// - somewhere the shadow shows, pure black, where no stroke covers it.
// The first two hold for any face as long as the background is neither near
// white nor near black (a smoothed edge over it then never rounds to a pure
// colour); the last for any text that has a stroke ending down or right.
class StatusPixels {
public:
    StatusPixels(const Pixels& before, const Pixels& after, int width)
        : m_before(before)
        , m_after(after)
        , m_width(width)
    {}

    // Drawn pixels of one pure colour, that the background did not have there.
    std::vector<POINT> Drawn(DWORD colour) const
    {
        std::vector<POINT> points;
        for (size_t i = 0; i < m_after.size(); ++i) {
            if (m_after[i] == colour && m_before[i] != colour)
                points.push_back(POINT{static_cast<LONG>(i % m_width), static_cast<LONG>(i / m_width)});
        }
        return points;
    }

    DWORD At(LONG x, LONG y) const { return m_after[y * m_width + x]; }
    int Height() const { return static_cast<int>(m_after.size()) / m_width; }

private:
    const Pixels& m_before;
    const Pixels& m_after;
    int m_width;
};

bool IsGrey(DWORD pixel)
{
    return (pixel & 0xFF) == (pixel >> 8 & 0xFF) && (pixel & 0xFF) == (pixel >> 16 & 0xFF);
}

// One channel far from white and one far from black: a partly covered pixel
// over this colour never rounds to pure white or pure black.
bool IsMidTone(DWORD pixel)
{
    const int channels[] = {static_cast<int>(pixel & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                            static_cast<int>(pixel >> 16 & 0xFF)};
    return *std::min_element(channels, channels + 3) < 0xC0 && *std::max_element(channels, channels + 3) > 0x40;
}

// Checks the drawing rule above on what was drawn over before; returns the
// number of pure white pixels.
int ExpectShadowedWhiteText(const Pixels& before, const Pixels& after, int width)
{
    EXPECT_TRUE(std::all_of(before.begin(), before.end(), IsMidTone)) << "the checks need a mid-tone background";
    const StatusPixels pixels(before, after, width);
    const std::vector<POINT> white = pixels.Drawn(0xFFFFFF);
    int unshadowed = 0;
    for (const POINT& p : white) {
        // The captured area reaches one pixel past the text's rectangle on the
        // right and below, where the shadow of its last column and row lands.
        if (p.x + 1 >= width || p.y + 1 >= pixels.Height()) {
            ADD_FAILURE() << "white text outside the status rectangle at " << p.x << "," << p.y;
            continue;
        }
        const DWORD below = pixels.At(p.x + 1, p.y + 1);
        if (!IsGrey(below) && ++unshadowed <= 5) {
            ADD_FAILURE() << "no black shadow one pixel right and down of the white at " << p.x << "," << p.y << ": "
                          << std::hex << below;
        }
    }
    EXPECT_EQ(unshadowed, 0) << "of " << white.size() << " white pixels";
    const std::vector<POINT> black = pixels.Drawn(0);
    EXPECT_FALSE(!white.empty() && black.empty()) << "the shadow shows pure black where no stroke covers it";
    int stray = 0;
    for (const POINT& p : black) {
        const bool shadow = p.x > 0 && p.y > 0 && pixels.At(p.x - 1, p.y - 1) == 0xFFFFFF;
        if (!shadow && ++stray <= 5)
            ADD_FAILURE() << "black at " << p.x << "," << p.y << " is no shadow of a white pixel";
    }
    EXPECT_EQ(stray, 0);
    return static_cast<int>(white.size());
}

// The interface font as the application shares it from start-up, so that the
// status line is drawn as the program draws it.
class ProgramFont {
public:
    ProgramFont()
    {
        m_font.SetFaceName("Georgia");
        m_font.SetHeight(-12);
        m_font.SetItalic(true);
        SetSharedFont(&m_font);
    }
    ~ProgramFont() { SetSharedFont(nullptr); }
    ProgramFont(const ProgramFont&) = delete;
    ProgramFont& operator=(const ProgramFont&) = delete;

private:
    AppFont m_font;
};

TEST_F(HandlerTest, StatusLineIsShadowedWhiteTextOverTheWeatherPageCopy)
{
    const ProgramFont font;
    const RECT status = PictureFace::kStatusRect;
    const RECT aboveText = {status.left, status.top, status.right, 178};
    // The status rectangle and the column and row where the shadow ends.
    const RECT drawn = {status.left, status.top, status.right + 1, status.bottom + 1};
    const int width = drawn.right - drawn.left;
    ASSERT_NE(PicturePart(IDP_WEATHER, status), PicturePart(IDP_WEATHER_COPY, status)) << "the copy lacks the headline";

    ShowView(MainView::Weather, IDP_WEATHER);
    PaintHandler();
    m_face.ShowStatus("", false);
    EXPECT_EQ(Capture(status), PicturePart(IDP_WEATHER_COPY, status)) << "the headline is blanked from the copy";
    const Pixels before = Capture(drawn);

    m_face.ShowStatus("Weather update - contacting server...", false);
    EXPECT_EQ(m_face.GetStatusText(), "Weather update - contacting server...");
    EXPECT_EQ(Capture(aboveText), PicturePart(IDP_WEATHER_COPY, aboveText)) << "text starts at the middle less 5";
    const Pixels text = Capture(drawn);
    EXPECT_GT(ExpectShadowedWhiteText(before, text, width), 0) << "the text is drawn";

    // A repaint shows the lasting text again.
    PaintBlack();
    PaintHandler();
    EXPECT_EQ(Capture(drawn), text);
}

// Waits for the message of one timer of window, handing on those of any other.
bool TakeTimerMessage(HWND window, UINT_PTR id, MSG& timer, DWORD maxWaitMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        while (::PeekMessageA(&timer, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            if (timer.wParam == id)
                return true;
            ::DispatchMessageA(&timer);
        }
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= maxWaitMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, maxWaitMs - waited), QS_TIMER);
    }
}

TEST_F(HandlerTest, TransientStatusIsDrawnOnceAndClearedByTimer11)
{
    const ProgramFont font;
    const RECT status = PictureFace::kStatusRect;
    const RECT drawn = {status.left, status.top, status.right + 1, status.bottom + 1};
    ShowView(MainView::Weather, IDP_WEATHER);
    PaintHandler();
    m_face.ShowStatus("", false);
    const Pixels before = Capture(drawn);
    m_face.ShowStatus("OK !", true);
    EXPECT_EQ(m_face.GetStatusText(), "") << "a transient text is not kept for the next repaint";
    EXPECT_GT(ExpectShadowedWhiteText(before, Capture(drawn), drawn.right - drawn.left), 0) << "drawn once";

    // Timer 11 runs a procedure of its own, not the window's handler. Its
    // message is taken when due, before anything else repaints the window, and
    // handed on: the procedure repaints the status rectangle at once, and with
    // no kept text that shows the page's headline again.
    MSG timer{};
    ASSERT_TRUE(TakeTimerMessage(m_window, TimerStatus, timer, 15000)) << "timer 11 is armed";
    EXPECT_NE(timer.lParam, 0) << "with a timer procedure";
    EXPECT_NE(Capture(status), PicturePart(IDP_WEATHER, status)) << "nothing repainted before the timer";
    ::DispatchMessageA(&timer);
    EXPECT_EQ(Capture(status), PicturePart(IDP_WEATHER, status));
    EXPECT_FALSE(::KillTimer(m_window, TimerStatus)) << "the timer stops itself";

    // Armed again by the next transient text, even outside the weather view.
    m_views.Set(MainView::Home);
    m_face.ShowStatus("Error: offline", true);
    EXPECT_TRUE(::KillTimer(m_window, TimerStatus));
}

TEST_F(HandlerTest, NextStatusTextLeavesNoShadowBehind)
{
    ShowView(MainView::Weather, IDP_WEATHER);
    PaintHandler();
    // A line wider than the status line: its shadow reaches the column just
    // right of the rectangle.
    m_face.ShowStatus(std::string(120, '_'), false);
    m_face.ShowStatus("", false);
    const RECT area = PictureFace::StatusArea();
    EXPECT_EQ(Capture(area), PicturePart(IDP_WEATHER_COPY, area));
}

TEST_F(HandlerTest, TextsOutsideTheWeatherViewAreKeptButNotDrawn)
{
    PaintBlack();
    m_face.ShowStatus("Weather update - contacting server...", false);
    m_face.ShowWeatherText("Sunny, 21 degrees");
    EXPECT_EQ(Count(Capture(PictureFace::kStatusRect), 0), Area(PictureFace::kStatusRect));
    EXPECT_EQ(Count(Capture(PictureFace::kWeatherTextRect), 0), Area(PictureFace::kWeatherTextRect));
    EXPECT_EQ(m_face.GetWeatherText(), "Sunny, 21 degrees");

    PaintHandler();
    EXPECT_EQ(Capture(RECT{0, 0, 440, 444}), WholePicture(IDP_HOME)) << "home paints the picture alone";

    ShowView(MainView::Weather, IDP_WEATHER);
    PaintHandler();
    EXPECT_GT(Count(Capture(PictureFace::kStatusRect), 0xFFFFFF), 50);
    EXPECT_GT(Count(Capture(PictureFace::kWeatherTextRect), 0xFFFFFF), 50);
    // Where the view's outline lets the window show.
    const RECT outside = {0, 0, 440, 160};
    Pixels shown = Capture(outside);
    Pixels expected = PicturePart(IDP_WEATHER, outside);
    GdiRegion outline(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(m_window, outline.get()), ERROR);
    for (int y = outside.top; y < outside.bottom; ++y)
        for (int x = outside.left; x < outside.right; ++x)
            if (!::PtInRegion(outline.get(), x, y))
                shown[y * 440 + x] = expected[y * 440 + x] = 0;
    EXPECT_EQ(shown, expected);
}

TEST_F(HandlerTest, WithHighContrastTheTextsAreInTheSystemsColoursNotOverTheArt)
{
    ShowView(MainView::Weather, IDP_WEATHER);
    HighContrast::SetForTest(true);
    m_face.ShowStatus("Weather update - contacting server...", false);
    m_face.ShowWeatherText("Munich\nSunny, 21 degrees");
    auto pixel = [](COLORREF c) { return DWORD{GetRValue(c)} << 16 | DWORD{GetGValue(c)} << 8 | GetBValue(c); };
    const DWORD window = pixel(::GetSysColor(COLOR_WINDOW));
    const DWORD text = pixel(::GetSysColor(COLOR_WINDOWTEXT));
    for (const RECT& area : {PictureFace::kStatusRect, PictureFace::kWeatherTextRect}) {
        const Pixels drawn = Capture(area);
        EXPECT_GT(Count(drawn, window), Area(area) / 2) << "on the system's window colour, not over the art";
        EXPECT_GT(Count(drawn, text), 20) << "in its text colour";
    }
    HighContrast::Refresh();
}

TEST_F(HandlerTest, WeatherTextIsRedrawnOverTheCurrentPicture)
{
    const RECT area = PictureFace::kWeatherTextRect;
    ShowView(MainView::Weather, IDP_WEATHER);
    PaintBlack();
    m_face.ShowWeatherText("");
    EXPECT_EQ(Capture(area), PicturePart(IDP_WEATHER, area));
    m_face.ShowWeatherText("Munich\nSunny, 21 degrees");
    const Pixels drawn = Capture(area);
    EXPECT_GT(Count(drawn, 0xFFFFFF), 50);
    EXPECT_EQ(Count(drawn, 0), 0) << "no shadow";
}

TEST_F(HandlerTest, ViewRegionsAndBackgrounds)
{
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    ASSERT_TRUE(m_face.ApplyViewRegion(MainView::Weather));
    ::GetWindowRgn(m_window, region.get());
    ::GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 439);
    ASSERT_TRUE(m_face.ApplyViewRegion(MainView::Home));
    ::GetWindowRgn(m_window, region.get());
    ::GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 7);
    EXPECT_EQ(box.bottom, 443);

    ASSERT_TRUE(m_face.LoadBackground(IDP_NOTE_EDITOR));
    const HBITMAP note = m_face.Background().Handle();
    EXPECT_FALSE(m_face.LoadBackground(999));
    EXPECT_FALSE(m_face.LoadBackground(IDR_REGION_OTHER));
    EXPECT_EQ(m_face.Background().Handle(), note) << "a failed load keeps the picture";
    ::SetWindowRgn(m_window, nullptr, FALSE);
    PaintHandler();
    EXPECT_EQ(Capture(RECT{0, 0, 440, 444}), WholePicture(IDP_NOTE_EDITOR));
}

}  // namespace
