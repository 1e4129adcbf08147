#pragma once

#include "framework/Handles.h"
#include "image/DisplayScale.h"
#include "image/PLDIBSection.h"
#include "widgets/PopupMenuColours.h"
#include "widgets/PopupMenuItem.h"

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

// How CPopupMenu looks at one scale: its fonts, brushes and image strip, the
// measuring of its rows and their drawing. The colours are the menu's own,
// read as it draws; the brushes are made from them by Reset.
class PopupMenuPainter {
public:
    using FontForDpi = std::function<HFONT(int dpi)>;

    explicit PopupMenuPainter(const PopupMenuColours& colours)
        : m_colours(colours)
    {}
    PopupMenuPainter(const PopupMenuPainter&) = delete;
    PopupMenuPainter& operator=(const PopupMenuPainter&) = delete;

    // See CPopupMenu::SetFont.
    void SetFont(FontForDpi font) { m_fontForDpi = std::move(font); }
    // Brushes for the current colours; the image strip (a bitmap of instance,
    // -1: none) is loaded at the next Layout.
    void Reset(HINSTANCE instance, int imageStripId);
    // Fonts and image strip at scale, and the items' places; the window's size.
    SIZE Layout(std::vector<PopupMenuItem>& items, const DisplayScale& scale);

    // The background and the raised frame.
    void DrawBackground(HDC dc, const RECT& client) const;
    void DrawItem(HDC dc, const PopupMenuItem& item, bool highlighted) const;

    const DisplayScale& Scale() const { return m_scale; }
    int Width() const { return m_width; }

private:
    void MakeFonts();
    int TextWidth(HDC dc, const PopupMenuItem& item) const;
    void DrawSeparator(HDC dc, const PopupMenuItem& item) const;
    void DrawImage(HDC dc, const PopupMenuItem& item, bool highlighted) const;

    const PopupMenuColours& m_colours;
    HINSTANCE m_instance = nullptr;
    int m_imageStripId = -1;
    int m_width = 0;
    DisplayScale m_scale;
    int m_normalFontHeight = 0;
    int m_boldFontHeight = 0;

    FontForDpi m_fontForDpi;
    HFONT m_normalFont = nullptr;  // the caller's font, the stock GUI font or m_scaledStockFont
    GdiFont m_scaledStockFont;
    GdiFont m_boldFont;  // empty: the normal font serves for bold too
    GdiBrush m_borderBrush, m_lightBrush, m_shadowBrush;
    GdiBrush m_backgroundBrush, m_highlightBrush;
    PLDIBSection m_imageStrip;  // holes in the key colour
    int m_imageStripDpi = 0;    // 0: to be loaded
};
