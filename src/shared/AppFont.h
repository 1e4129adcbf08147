#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <map>

// An interface font of the program. Every change of a field creates the font
// anew, so the handle always matches the LOGFONT.
class AppFont {
public:
    AppFont();

    void SetFaceName(const char* face);
    void SetHeight(LONG height);
    void SetItalic(bool italic);
    // Every field at once, as another font's LOGFONT gives them.
    void SetLog(const LOGFONTA& log);

    HFONT Handle() const { return m_font.get(); }
    // The same font for a monitor of this many dots per inch: the height is
    // the 96-DPI one scaled. Made on first use and kept with the font.
    HFONT ForDpi(int dpi) const;
    const LOGFONTA& Log() const { return m_log; }

private:
    void Recreate();

    LOGFONTA m_log{};
    GdiFont m_font;
    mutable std::map<int, GdiFont> m_scaled;
};
