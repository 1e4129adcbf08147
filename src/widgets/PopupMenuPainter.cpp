#include "widgets/PopupMenuPainter.h"

#include "framework/Utf8.h"
#include "image/ScaledArt.h"
#include "widgets/PopupMenuLayout.h"

#include <algorithm>
#include <string>

namespace {

// Places of a row at 96 DPI, scaled where they are used.
const int kImageWidth = 16;  // a cell of the image strip
const int kTextLeft = 23;
const int kRowLeft = 3;         // the frame's and the margin's width on either side
const int kImageBoxRight = 21;  // the box around an image spans kRowLeft to here
// A row's text is its label and, after a tab, the key that runs it too.
const int kKeyGap = 24;
const int kKeyRight = 8;

int FontHeight(HDC dc, HFONT font)
{
    SelectScope selected(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

// Lines stay whole pixels: one wide up to twice the base scale, where a line
// of a pixel and a half would blur.
int LineWidth(const DisplayScale& scale)
{
    return std::max(1, scale.Dpi() / DisplayScale::kBaseDpi);
}

void Band(HDC dc, HBRUSH brush, const RECT& rect)
{
    ::FillRect(dc, &rect, brush);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    GdiBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

std::wstring Label(const std::string& text)
{
    return Widen(text.substr(0, text.find('\t')));
}

std::wstring KeyText(const std::string& text)
{
    const size_t tab = text.find('\t');
    return tab == std::string::npos ? std::wstring() : Widen(text.substr(tab + 1));
}

int Extent(HDC dc, const std::wstring& text)
{
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

void PopupMenuPainter::Reset(HINSTANCE instance, int imageStripId)
{
    m_instance = instance;
    m_imageStripId = imageStripId;
    m_borderBrush.reset(::CreateSolidBrush(m_colours.border));
    m_lightBrush.reset(::CreateSolidBrush(m_colours.light3D));
    m_shadowBrush.reset(::CreateSolidBrush(m_colours.shadow3D));
    m_backgroundBrush.reset(::CreateSolidBrush(m_colours.background));
    m_highlightBrush.reset(::CreateSolidBrush(m_colours.highlight));
    // The key colour may have changed.
    m_imageStripDpi = 0;
}

void PopupMenuPainter::MakeFonts()
{
    m_scaledStockFont.reset();
    m_boldFont.reset();
    m_normalFont = m_fontForDpi ? m_fontForDpi(m_scale.Dpi()) : nullptr;
    if (m_normalFont) {
        LOGFONTA log{};
        ::GetObjectA(m_normalFont, sizeof log, &log);
        log.lfWeight = FW_BOLD;
        m_boldFont.reset(::CreateFontIndirectA(&log));
    } else {
        // The stock font is made for the system's scale.
        m_normalFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        const int systemDpi = DisplayScale::ForSystem().Dpi();
        if (m_scale.Dpi() != systemDpi) {
            LOGFONTA log{};
            ::GetObjectA(m_normalFont, sizeof log, &log);
            log.lfHeight = ::MulDiv(log.lfHeight, m_scale.Dpi(), systemDpi);
            log.lfWidth = ::MulDiv(log.lfWidth, m_scale.Dpi(), systemDpi);
            m_scaledStockFont.reset(::CreateFontIndirectA(&log));
            if (m_scaledStockFont)
                m_normalFont = m_scaledStockFont.get();
        }
    }
    MemoryDC info(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    m_normalFontHeight = FontHeight(info.get(), m_normalFont);
    m_boldFontHeight = FontHeight(info.get(), m_boldFont ? m_boldFont.get() : m_normalFont);
}

SIZE PopupMenuPainter::Layout(std::vector<PopupMenuItem>& items, const DisplayScale& scale)
{
    m_scale = scale;
    MakeFonts();
    if (m_imageStripDpi != scale.Dpi()) {
        m_imageStripDpi = scale.Dpi();
        // Resampled with the key colour kept as holes, so they stay transparent.
        if (m_imageStripId == -1 ||
            !ScaledArt::LoadBitmap(m_instance, m_imageStripId, scale, m_imageStrip, true, m_colours.key))
            m_imageStrip = PLDIBSection();
    }
    MemoryDC info(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    const SIZE size = LayoutPopupMenu(
        items, [&](const PopupMenuItem& item) { return TextWidth(info.get(), item); }, scale);
    m_width = size.cx;
    return size;
}

int PopupMenuPainter::TextWidth(HDC dc, const PopupMenuItem& item) const
{
    SelectScope selected(dc, item.Is(MIF_BOLD) && m_boldFont ? m_boldFont.get() : m_normalFont);
    const std::wstring key = KeyText(item.text);
    return Extent(dc, Label(item.text)) +
           (key.empty() ? 0 : m_scale.Px(kKeyGap) + Extent(dc, key) + m_scale.Px(kKeyRight));
}

void PopupMenuPainter::DrawBackground(HDC dc, const RECT& client) const
{
    ::FillRect(dc, &client, m_backgroundBrush.get());
    const int line = LineWidth(m_scale);
    const LONG right = client.right;
    const LONG bottom = client.bottom;
    Band(dc, m_lightBrush.get(), RECT{0, 0, line, bottom});
    Band(dc, m_lightBrush.get(), RECT{0, 0, right, line});
    Band(dc, m_borderBrush.get(), RECT{right - line, 0, right, bottom});
    Band(dc, m_borderBrush.get(), RECT{0, bottom - line, right, bottom});
}

void PopupMenuPainter::DrawItem(HDC dc, const PopupMenuItem& item, bool highlighted) const
{
    if (item.Is(MIF_SEPARATOR)) {
        DrawSeparator(dc, item);
        return;
    }
    const int t = item.top;
    int fillLeft = m_scale.Px(kRowLeft);
    if (item.imageIndex >= 0) {
        DrawImage(dc, item, highlighted);
        fillLeft = m_scale.Px(kImageBoxRight);
    }
    COLORREF fill = m_colours.background;
    if (highlighted)
        fill = item.highlightColour ? item.highlightColour : m_colours.highlight;
    Fill(dc, RECT{fillLeft, t, m_width - m_scale.Px(kRowLeft), t + item.height}, fill);

    const bool bold = item.Is(MIF_BOLD) && m_boldFont;
    SelectScope font(dc, bold ? m_boldFont.get() : m_normalFont);
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF text = m_colours.text;
    if (highlighted)
        text = m_colours.highlightText;
    else if (item.Is(MIF_GRAYED))
        text = m_colours.grayedText;
    ::SetTextColor(dc, text);
    const int top = t + (item.height - (bold ? m_boldFontHeight : m_normalFontHeight)) / 2;
    const int textLeft = m_scale.Px(kTextLeft);
    RECT textRect{textLeft, top, std::max(1023, m_width), top + 1000};
    const std::wstring label = Label(item.text);
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_NOCLIP);
    const std::wstring key = KeyText(item.text);
    RECT keyRect{textLeft, top, m_width - m_scale.Px(kKeyRight), top + 1000};
    ::DrawTextW(dc, key.c_str(), static_cast<int>(key.size()), &keyRect, DT_NOCLIP | DT_RIGHT | DT_NOPREFIX);
}

// An etched line in the middle of the row, its ends bevelled.
void PopupMenuPainter::DrawSeparator(HDC dc, const PopupMenuItem& item) const
{
    const int line = LineWidth(m_scale);
    const int left = m_scale.Px(kRowLeft);
    const int right = m_width - m_scale.Px(kRowLeft) + 1;  // exclusive
    const int upper = item.top + (item.height - 2 * line) / 2;
    const int lower = upper + line;
    Band(dc, m_shadowBrush.get(), RECT{left + line, upper, right, lower});
    Band(dc, m_lightBrush.get(), RECT{left, upper, left + line, lower});
    Band(dc, m_lightBrush.get(), RECT{left, lower, right - line, lower + line});
    Band(dc, m_shadowBrush.get(), RECT{right - line, lower, right, lower + line});
}

// The box around the image is raised while the item is highlighted and painted
// over in the background colour when it is left.
void PopupMenuPainter::DrawImage(HDC dc, const PopupMenuItem& item, bool highlighted) const
{
    const int line = LineWidth(m_scale);
    const RECT box{m_scale.Px(kRowLeft), item.top, m_scale.Px(kImageBoxRight), item.top + item.height};
    HBRUSH light = highlighted ? m_lightBrush.get() : m_backgroundBrush.get();
    HBRUSH shadow = highlighted ? m_shadowBrush.get() : m_backgroundBrush.get();
    Band(dc, light, RECT{box.left, box.top, box.left + line, box.bottom});
    Band(dc, light, RECT{box.left, box.top, box.right, box.top + line});
    Band(dc, shadow, RECT{box.right - line, box.top, box.right, box.bottom});
    Band(dc, shadow, RECT{box.left, box.bottom - line, box.right, box.bottom});
    if (m_imageStrip.IsEmpty())
        return;
    // The cells are cut from the strip at the strip's scale, edge by edge.
    const int cellLeft = m_scale.Px(kImageWidth * item.imageIndex);
    const int cellWidth = m_scale.Px(kImageWidth * (item.imageIndex + 1)) - cellLeft;
    const int cellHeight = m_imageStrip.Height();
    const int innerHeight = box.bottom - box.top - 2 * line;
    MemoryDC strip(::CreateCompatibleDC(dc));
    SelectScope selected(strip.get(), m_imageStrip.Handle());
    ::GdiTransparentBlt(dc, box.left + line, box.top + line + (innerHeight - cellHeight) / 2, cellWidth, cellHeight,
                        strip.get(), cellLeft, 0, cellWidth, cellHeight, m_colours.key);
}
