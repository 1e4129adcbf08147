#include "shared/HighContrast.h"

namespace HighContrast {

namespace {

bool ReadSetting()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

int g_on = -1;  // not read yet

}  // namespace

bool IsOn()
{
    if (g_on < 0)
        Refresh();
    return g_on == 1;
}

void Refresh()
{
    g_on = ReadSetting() ? 1 : 0;
}

void SetForTest(bool on)
{
    g_on = on ? 1 : 0;
}

HBRUSH PrepareText(HDC dc)
{
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, OPAQUE);
    return ::GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace HighContrast
