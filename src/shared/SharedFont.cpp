#include "shared/SharedFont.h"

#include "shared/ProgramUi.h"

HFONT SharedFont()
{
    return ProgramUi::Current().SharedFont(96);
}

HFONT SharedFont(int dpi)
{
    return ProgramUi::Current().SharedFont(dpi);
}

void SetSharedFont(const AppFont* font)
{
    ProgramUi::Current().SetSharedFont(font);
}
