#include "shared/HighContrast.h"

#include "shared/ProgramUi.h"

namespace HighContrast {

bool IsOn()
{
    return ProgramUi::Current().HighContrast();
}

void Refresh()
{
    ProgramUi::Current().RefreshHighContrast();
}

void SetForTest(bool on)
{
    ProgramUi::Current().SetHighContrast(on);
}

HBRUSH PrepareText(HDC dc)
{
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, OPAQUE);
    return ::GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace HighContrast
