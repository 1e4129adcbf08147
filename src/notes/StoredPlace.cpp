#include "notes/StoredPlace.h"

POINT StoredPlace::OnScreen(POINT stored, const DisplayScale& system)
{
    return system.Point(stored);
}

POINT StoredPlace::ForScreen(POINT screen, POINT stored, const DisplayScale& system)
{
    const POINT shown = OnScreen(stored, system);
    if (IsSet(stored) && shown.x == screen.x && shown.y == screen.y)
        return stored;
    return system.BasePoint(screen);
}
