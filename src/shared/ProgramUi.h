#pragma once

#include "shared/AppFont.h"
#include "shared/CTranslator.h"

#include <windows.h>

#include <memory>

// What every window of the process reads of the interface, in one object: the
// translation table, the program's own font (or none: the system's GUI font),
// Windows' high-contrast setting and the Windows version. The application owns
// it and installs it for its run; without one installed (tests, tools) a
// default one of the process stands in.
class ProgramUi {
public:
    ProgramUi() = default;
    ~ProgramUi();
    ProgramUi(const ProgramUi&) = delete;
    ProgramUi& operator=(const ProgramUi&) = delete;

    // The installed one, or the process's default.
    static ProgramUi& Current();
    // Makes this the current one until it is destroyed or another is installed.
    void Install();

    CTranslator& Translator() { return m_translator; }

    // The program's own interface font, from now on the shared one.
    AppFont& OwnFont();
    // The shared font at the scale (0: the system's); the system's GUI font
    // while the program has none of its own.
    HFONT SharedFont(int dpi);
    void SetSharedFont(const AppFont* font) { m_sharedFont = font; }

    // Read once and kept until Refresh: text is drawn often, and the setting
    // seldom changes.
    bool HighContrast();
    void RefreshHighContrast();
    void SetHighContrast(bool on) { m_highContrast = on ? 1 : 0; }

    // Where GetOsLevel keeps the Windows version's class once read (0: not yet).
    int& OsLevelCache() { return m_osLevel; }

private:
    CTranslator m_translator;
    AppFont m_ownFont;
    const AppFont* m_sharedFont = nullptr;
    // The system's GUI font, made for other scales when first asked.
    std::unique_ptr<AppFont> m_systemFont;
    int m_highContrast = -1;  // not read yet
    int m_osLevel = 0;
};
