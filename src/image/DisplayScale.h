#pragma once

#include <windows.h>

// A display scale: the dots per inch of the monitor a window is on, against
// the 96 the art and every fixed place of the program are drawn for. Places
// are scaled edge by edge, so rectangles that meet at 96 DPI still meet.
class DisplayScale {
public:
    static const int kBaseDpi = 96;

    explicit DisplayScale(int dpi = kBaseDpi);

    // The window's monitor's scale where Windows tells it per window, the
    // system's otherwise.
    static DisplayScale ForWindow(HWND window);
    static DisplayScale ForSystem();

    int Dpi() const { return m_dpi; }
    // Rounded to whole percent: 144 DPI is 150.
    int Percent() const;
    bool IsBase() const { return m_dpi == kBaseDpi; }

    int Px(int base) const;
    POINT Point(POINT base) const;
    SIZE Size(SIZE base) const;
    RECT Rect(const RECT& base) const;
    // The pixels lying wholly inside base once scaled: where a piece of art cut
    // to base can be drawn without a seam against the picture around it.
    RECT InnerRect(const RECT& base) const;
    // A place at this scale back in 96-DPI units.
    int Base(int px) const;
    POINT BasePoint(POINT px) const;
    // A GetSystemMetrics value (SM_CXSMICON, SM_CXEDGE, ...) for a monitor of
    // this scale.
    int Metric(int index) const;
    // AdjustWindowRectEx with the frame and caption of this scale.
    void AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle) const;

    bool operator==(const DisplayScale& other) const { return m_dpi == other.m_dpi; }
    bool operator!=(const DisplayScale& other) const { return m_dpi != other.m_dpi; }

private:
    int m_dpi;
};
