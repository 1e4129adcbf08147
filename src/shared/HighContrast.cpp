#include "shared/HighContrast.h"

namespace HighContrast {

bool IsOn()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HBRUSH PrepareText(HDC dc)
{
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, OPAQUE);
    return ::GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace HighContrast
