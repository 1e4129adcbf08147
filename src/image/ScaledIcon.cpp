#include "image/ScaledIcon.h"

SIZE ScaledIcon::Size(Kind kind, const DisplayScale& scale)
{
    return kind == Big ? SIZE{scale.Metric(SM_CXICON), scale.Metric(SM_CYICON)}
                       : SIZE{scale.Metric(SM_CXSMICON), scale.Metric(SM_CYSMICON)};
}

IconHandle ScaledIcon::Load(HINSTANCE instance, int id, Kind kind, const DisplayScale& scale)
{
    const SIZE size = Size(kind, scale);
    // Not LR_SHARED: a shared icon keeps the size it was first loaded at.
    return IconHandle(static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR)));
}
