#include "notes/ScaledPlace.h"

// Edge by edge, so controls that meet at 96 DPI still meet.
RECT ScaledPlace(const RECT& place, const DisplayScale& scale)
{
    const RECT edges = scale.Rect(RECT{place.left, place.top, place.left + place.right, place.top + place.bottom});
    return RECT{edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}
