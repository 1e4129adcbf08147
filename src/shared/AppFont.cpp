#include "shared/AppFont.h"

#include <cstring>

HFONT AppFont::ForDpi(int dpi) const
{
    if (dpi <= 0 || dpi == 96)
        return Handle();
    GdiFont& font = m_scaled[dpi];
    if (!font) {
        LOGFONTA scaled = m_log;
        scaled.lfHeight = MulDiv(m_log.lfHeight, dpi, 96);
        scaled.lfWidth = MulDiv(m_log.lfWidth, dpi, 96);
        font.reset(CreateFontIndirectA(&scaled));
    }
    return font ? font.get() : Handle();
}

AppFont::AppFont()
{
    m_log.lfHeight = -12;
    m_log.lfWeight = FW_NORMAL;
    m_log.lfQuality = ANTIALIASED_QUALITY;
    m_log.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    std::strcpy(m_log.lfFaceName, "Times New Roman");
    Recreate();
}

void AppFont::SetFaceName(const char* face)
{
    std::strncpy(m_log.lfFaceName, face, LF_FACESIZE - 1);
    m_log.lfFaceName[LF_FACESIZE - 1] = '\0';
    Recreate();
}

void AppFont::SetHeight(LONG height)
{
    m_log.lfHeight = height;
    Recreate();
}

void AppFont::SetItalic(bool italic)
{
    m_log.lfItalic = italic ? 1 : 0;
    Recreate();
}

void AppFont::SetLog(const LOGFONTA& log)
{
    m_log = log;
    Recreate();
}

void AppFont::Recreate()
{
    m_scaled.clear();
    m_font.reset(CreateFontIndirectA(&m_log));
}
