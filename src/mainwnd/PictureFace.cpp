#include "mainwnd/PictureFace.h"

#include "framework/AfxFunctions.h"
#include "framework/CWnd.h"
#include "framework/Utf8.h"
#include "image/PLTextException.h"
#include "mainwnd/HotSpotId.h"
#include "mainwnd/MainTimers.h"
#include "image/RegionResource.h"
#include "image/ScaledArt.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/SharedFont.h"
#include "shared/HighContrast.h"
#include "sound/SoundBoard.h"

namespace {

struct RectSpot {
    HotSpotId id;
    int viewMask;
    RECT area;
    int hoverPicture;  // 0 = none
    RECT hoverRect;
};

struct PolygonSpot {
    HotSpotId id;
    int viewMask;
    POINT corners[4];
    int hoverPicture;
    RECT hoverRect;
    int hoverSound;
};

// In hit-test order. The close button's picture sits one pixel above its area.
// clang-format off
const RectSpot kCloseButton =
    {HotSpotClose, kAllViews, {399, 260, 421, 283}, IDP_CLOSE_HOVER, {399, 259, 421, 282}};
const PolygonSpot kEnvelope =
    {HotSpotEnvelope, kAllViews, {{357, 96}, {373, 112}, {365, 121}, {348, 106}}, IDP_ENVELOPE_HOVER,
     {349, 96, 373, 121}, 0};
const RectSpot kRectSpots[] = {
    {HotSpotBack, kViewsButHome, {159, 353, 184, 376}, IDP_BACK_HOVER, {159, 353, 184, 376}},
    {HotSpotRefresh, MaskOf(MainView::Weather), {291, 215, 314, 237}, IDP_REFRESH_HOVER, {291, 215, 314, 237}},
    {HotSpotBrandLogo, kAllViews, {93, 52, 176, 123}, 0, {}},
    {HotSpotAlarmClock, MaskOf(MainView::Reminder), {320, 264, 365, 311}, 0, {}},
    {HotSpotFileNote, MaskOf(MainView::Notes), {317, 264, 359, 304}, 0, {}},
    {HotSpotFigure, kViewsButHome, {0, 114, 120, 411}, 0, {}},
};
const PolygonSpot kMenuCard[] = {
    {HotSpotNotes, MaskOf(MainView::Home), {{168, 153}, {304, 92}, {312, 154}, {160, 195}}, 0, {}, IDW_NOTES_HOVER},
    {HotSpotReminder, MaskOf(MainView::Home), {{150, 209}, {193, 183}, {317, 232}, {196, 272}}, 0, {}, IDW_REMINDER_HOVER},
    {HotSpotWeather, MaskOf(MainView::Home), {{184, 291}, {320, 251}, {371, 322}, {216, 344}}, 0, {},
     IDW_WEATHER_HOVER},
};
// clang-format on

// The scale the status line was drawn at, for the timer that clears it.
const wchar_t kStatusDpi[] = L"Zorla.StatusDpi";

void CALLBACK ClearStatus(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    const auto dpi = reinterpret_cast<INT_PTR>(::RemovePropW(window, kStatusDpi));
    const RECT drawn = DisplayScale(static_cast<int>(dpi)).Rect(PictureFace::StatusArea());
    ::InvalidateRect(window, &drawn, FALSE);
    ::UpdateWindow(window);
}

// Draws with dc, or with the window's DC when dc is null; nothing when there
// is neither.
template <typename Draw>
void WithDC(HDC dc, HWND window, Draw draw)
{
    if (dc) {
        draw(dc);
        return;
    }
    if (!window)
        return;
    WindowDCScope scope(window);
    if (scope.dc())
        draw(scope.dc());
}

// Transparent text in the application font; the DC gets its colour, font and
// mode back afterwards.
class TextScope {
public:
    TextScope(HDC dc, const DisplayScale& scale)
        : m_dc(dc)
        , m_font(dc, SharedFont(scale.Dpi()))
        , m_mode(::SetBkMode(dc, TRANSPARENT))
        , m_colour(::GetTextColor(dc))
    {}
    ~TextScope()
    {
        ::SetTextColor(m_dc, m_colour);
        ::SetBkMode(m_dc, m_mode);
    }
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;

private:
    HDC m_dc;
    SelectScope m_font;
    int m_mode;
    COLORREF m_colour;
};

POINT TopLeft(const RECT& rect)
{
    return POINT{rect.left, rect.top};
}

}  // namespace

const RECT PictureFace::kStatusRect = {151, 165, 392, 202};

// The shadow lies one pixel right and down of the text and may reach one pixel
// past the status rectangle: restoring only the rectangle would leave its dots.
RECT PictureFace::StatusArea()
{
    return RECT{kStatusRect.left, kStatusRect.top, kStatusRect.right + 1, kStatusRect.bottom + 1};
}
const RECT PictureFace::kWeatherTextRect = {163, 242, 403, 363};
const RECT PictureFace::kBlinkRectHome = {51, 134, 85, 152};
const RECT PictureFace::kBlinkRectOther = {62, 138, 100, 152};

PictureFace::PictureFace(SoundBoard& sounds, ViewState& views)
    : m_scale(DisplayScale::ForSystem())
    , m_sounds(sounds)
    , m_views(views)
{
    // The window is repainted whole after a view change: no redraw here.
    m_views.Follow([this](MainView view) {
        if (m_window)
            ApplyViewRegion(view, false);
    });
    if (!Decode(IDP_HOME, m_background))
        return;
    m_backgroundId = IDP_HOME;
    CreateHotSpots();
    m_complete = true;
}

PictureFace::~PictureFace() = default;

bool PictureFace::Decode(int id, PLDIBSection& picture)
{
    try {
        DecodePiece(id, POINT{0, 0}, picture);
    } catch (const PLTextException& e) {
        AfxMessageBox(e.Text().c_str(), MB_ICONERROR);
        return false;
    }
    return true;
}

bool PictureFace::DecodeQuietly(int id, PLDIBSection& picture)
{
    try {
        DecodePiece(id, POINT{0, 0}, picture);
    } catch (const PLTextException&) {
        return false;
    }
    return true;
}

RECT PictureFace::DecodePiece(int id, POINT origin, PLDIBSection& picture)
{
    return ScaledArt::DecodePicture(m_decoder, AfxGetResourceHandle(), id, origin, m_scale, picture);
}

bool PictureFace::DecodeRest()
{
    if (!m_complete)
        return false;
    if (m_restDecoded)
        return true;
    try {
        DecodePiece(IDP_WEATHER_COPY, POINT{0, 0}, m_weatherCopy);
        m_blinkOtherAt = DecodePiece(IDP_BLINK_OTHER, TopLeft(kBlinkRectOther), m_blinkOther);
        m_blinkHomeAt = DecodePiece(IDP_BLINK_HOME, TopLeft(kBlinkRectHome), m_blinkHome);
    } catch (const PLTextException& e) {
        AfxMessageBox(e.Text().c_str(), MB_ICONERROR);
        m_complete = false;
        return false;
    }
    DecodeHoverPictures();
    m_restDecoded = true;
    return true;
}

void PictureFace::DecodeHoverPictures()
{
    for (const PendingHover& pending : m_pendingHovers) {
        // A hover picture that cannot be decoded only costs the hover effect.
        try {
            PLDIBSection bitmap;
            const RECT at = DecodePiece(pending.picture, TopLeft(pending.at), bitmap);
            pending.spot->SetHoverPicture(std::move(bitmap), at);
        } catch (const PLTextException&) {
        }
    }
    m_pendingHovers.clear();
}

bool PictureFace::SetScale(const DisplayScale& scale)
{
    if (scale == m_scale || !m_complete)
        return true;
    const DisplayScale previous = m_scale;
    m_scale = scale;
    PLDIBSection background;
    if (!DecodeQuietly(m_backgroundId, background)) {
        m_scale = previous;
        ::MessageBeep(static_cast<UINT>(-1));
        return false;
    }
    m_background = std::move(background);
    m_shownPictures.clear();
    m_hotSpots.clear();
    m_pendingHovers.clear();
    CreateHotSpots();
    if (m_restDecoded) {
        m_restDecoded = false;
        DecodeRest();
    }
    // The outline is made again for the new size at the next view change.
    m_appliedRegion = 0;
    if (m_window)
        ApplyViewRegion(GetView(), false);
    return m_complete;
}

void PictureFace::CreateHotSpots()
{
    auto withPicture = [&](std::unique_ptr<HotSpot> spot, int picture, const RECT& at) {
        if (picture)
            m_pendingHovers.push_back(PendingHover{spot.get(), picture, at});
        m_hotSpots.push_back(std::move(spot));
    };
    auto polygon = [&](const PolygonSpot& spot) {
        POINT scaled[4];
        for (int i = 0; i < 4; ++i)
            scaled[i] = m_scale.Point(spot.corners[i]);
        return HotSpot::FromPolygon(spot.id, spot.viewMask, scaled);
    };
    auto rect = [&](const RectSpot& spot) { return HotSpot::FromRect(spot.id, spot.viewMask, m_scale.Rect(spot.area)); };
    m_hotSpots.reserve(11);
    withPicture(rect(kCloseButton), kCloseButton.hoverPicture, kCloseButton.hoverRect);
    withPicture(polygon(kEnvelope), kEnvelope.hoverPicture, kEnvelope.hoverRect);
    for (const RectSpot& spot : kRectSpots)
        withPicture(rect(spot), spot.hoverPicture, spot.hoverRect);
    for (const PolygonSpot& spot : kMenuCard) {
        auto hotSpot = polygon(spot);
        hotSpot->SetHoverSound(spot.hoverSound);
        m_hotSpots.push_back(std::move(hotSpot));
    }
}

bool PictureFace::ApplyViewRegion(MainView view, bool redraw)
{
    const int region = view == MainView::Home ? IDR_REGION_HOME : IDR_REGION_OTHER;
    // The weather view and the editors share their outline: giving the window
    // the same region again would only cost a repaint of the frame.
    if (region == m_appliedRegion)
        return true;
    GdiRegion outline = ScaledArt::LoadRegion(region, m_scale);
    if (!outline || !ApplyRegionCopy(outline.get(), m_window, redraw))
        return false;
    m_appliedRegion = region;
    return true;
}

void PictureFace::PrepareBackground(int id)
{
    if (id == m_backgroundId || m_shownPictures.count(id))
        return;
    // A picture that cannot be decoded is left for going to its view: that beeps.
    PLDIBSection picture;
    if (DecodeQuietly(id, picture))
        m_shownPictures[id] = std::move(picture);
}

// A view's picture, once decoded, is kept: changing back and forth between the
// views only swaps bitmaps.
bool PictureFace::LoadBackground(int id)
{
    if (id == m_backgroundId && !m_background.IsEmpty())
        return true;
    PLDIBSection picture;
    const auto kept = m_shownPictures.find(id);
    if (kept != m_shownPictures.end()) {
        picture = std::move(kept->second);
        m_shownPictures.erase(kept);
    } else if (!DecodeQuietly(id, picture)) {
        ::MessageBeep(static_cast<UINT>(-1));
        return false;
    }
    if (m_backgroundId && !m_background.IsEmpty())
        m_shownPictures[m_backgroundId] = std::move(m_background);
    m_background = std::move(picture);
    m_backgroundId = id;
    return true;
}

bool PictureFace::IsActiveAt(const HotSpot& spot, POINT windowPoint) const
{
    return spot.IsActive(GetView()) && spot.Contains(windowPoint);
}

bool PictureFace::UpdateHover(POINT screenPoint)
{
    POINT point = screenPoint;
    RECT frame{};
    if (m_window && ::GetWindowRect(m_window, &frame)) {
        point.x -= frame.left;
        point.y -= frame.top;
    }
    bool hit = false;
    for (const auto& spot : m_hotSpots) {
        const bool over = IsActiveAt(*spot, point);
        if (spot->SetHovered(over, m_window, m_background) && spot->HoverSound())
            m_sounds.PlayResource(spot->HoverSound());
        hit = hit || over;
    }
    return hit;
}

bool PictureFace::Click(POINT windowPoint)
{
    for (const auto& spot : m_hotSpots) {
        if (IsActiveAt(*spot, windowPoint)) {
            if (m_action)
                m_action(spot->Id());
            return true;
        }
    }
    return false;
}

bool PictureFace::HitTest(POINT windowPoint) const
{
    for (const auto& spot : m_hotSpots) {
        if (IsActiveAt(*spot, windowPoint))
            return true;
    }
    return false;
}

bool PictureFace::BlinkStep()
{
    if (!m_window)
        return m_blinkPhase;
    WindowDCScope scope(m_window);
    if (!scope.dc())
        return m_blinkPhase;
    const bool home = GetView() == MainView::Home;
    const RECT& rect = home ? m_blinkHomeAt : m_blinkOtherAt;
    if (m_blinkPhase)
        (home ? m_blinkHome : m_blinkOther).Draw(scope.dc(), rect.left, rect.top, SRCCOPY);
    else
        m_background.DrawPart(scope.dc(), TopLeft(rect), rect);
    m_blinkPhase = !m_blinkPhase;
    return m_blinkPhase;
}

void PictureFace::Paint(HDC dc)
{
    m_background.Draw(dc, 0, 0, SRCCOPY);
    if (GetView() != MainView::Weather)
        return;
    if (!m_statusText.empty())
        DrawStatus(dc);
    if (!m_weatherText.empty())
        DrawWeatherText(dc);
}

void PictureFace::ShowStatus(const std::string& text, bool transient, HDC dc)
{
    m_statusText = text;
    if (GetView() == MainView::Weather)
        WithDC(dc, m_window, [this](HDC target) { DrawStatus(target); });
    if (transient) {
        if (m_window) {
            ::SetPropW(m_window, kStatusDpi, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(m_scale.Dpi())));
            ::SetTimer(m_window, TimerStatus, 5000, ClearStatus);
        }
        m_statusText.clear();
    }
}

RECT PictureFace::ScaledStatusArea() const
{
    return m_scale.Rect(StatusArea());
}

void PictureFace::DrawStatus(HDC dc)
{
    TextScope text(dc, m_scale);
    const RECT area = ScaledStatusArea();
    m_weatherCopy.DrawPart(dc, TopLeft(area), area);
    RECT rect = kStatusRect;
    rect.top = rect.top + (rect.bottom - rect.top) / 2 - 5;
    rect = m_scale.Rect(rect);
    RECT shadow = rect;
    ::OffsetRect(&shadow, m_scale.Px(1), m_scale.Px(1));
    const UINT format = DT_CENTER | DT_WORDBREAK;
    const std::wstring status = Widen(m_statusText);
    if (HighContrast::IsOn()) {
        ::FillRect(dc, &area, HighContrast::PrepareText(dc));
        ::DrawTextW(dc, status.c_str(), -1, &rect, format);
        return;
    }
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawTextW(dc, status.c_str(), -1, &shadow, format);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextW(dc, status.c_str(), -1, &rect, format);
}

void PictureFace::ShowWeatherText(const std::string& text, HDC dc)
{
    m_weatherText = text;
    if (GetView() == MainView::Weather)
        WithDC(dc, m_window, [this](HDC target) { DrawWeatherText(target); });
}

void PictureFace::DrawWeatherText(HDC dc)
{
    TextScope text(dc, m_scale);
    RECT rect = m_scale.Rect(kWeatherTextRect);
    m_background.DrawPart(dc, TopLeft(rect), rect);
    if (HighContrast::IsOn())
        ::FillRect(dc, &rect, HighContrast::PrepareText(dc));
    else
        ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextW(dc, Widen(m_weatherText).c_str(), -1, &rect, DT_WORDBREAK);
}
