#include "shared/ProgramUi.h"

namespace {

// The one that is installed: the application's for its run.
ProgramUi* g_installed = nullptr;

bool ReadHighContrast()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

ProgramUi::~ProgramUi()
{
    if (g_installed == this)
        g_installed = nullptr;
}

ProgramUi& ProgramUi::Current()
{
    // Made on first use and kept for the process: tests and tools run windows
    // without an application.
    static ProgramUi fallback;
    return g_installed ? *g_installed : fallback;
}

void ProgramUi::Install()
{
    g_installed = this;
}

AppFont& ProgramUi::OwnFont()
{
    m_sharedFont = &m_ownFont;
    return m_ownFont;
}

HFONT ProgramUi::SharedFont(int dpi)
{
    if (m_sharedFont)
        return m_sharedFont->ForDpi(dpi);
    if (dpi <= 0 || dpi == 96)
        return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!m_systemFont) {
        m_systemFont = std::make_unique<AppFont>();
        LOGFONTA log{};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof log, &log);
        m_systemFont->SetLog(log);
    }
    return m_systemFont->ForDpi(dpi);
}

bool ProgramUi::HighContrast()
{
    if (m_highContrast < 0)
        RefreshHighContrast();
    return m_highContrast == 1;
}

void ProgramUi::RefreshHighContrast()
{
    m_highContrast = ReadHighContrast() ? 1 : 0;
}
