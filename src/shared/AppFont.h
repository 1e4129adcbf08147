#pragma once

#include "framework/Handles.h"

#include <windows.h>

// The one interface font of the program. Every change of a field creates the font
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
    const LOGFONTA& Log() const { return m_log; }

    // The process-wide interface font: the one the application object owns, or the
    // system's GUI font while there is none (tests of single windows).
    static HFONT Shared();
    static void SetShared(const AppFont* font);

private:
    void Recreate();

    LOGFONTA m_log{};
    GdiFont m_font;
};
