#include "notes/NoteCascade.h"

POINT NoteCascade::Next(SIZE picture, SIZE fullScreen, const DisplayScale& scale)
{
    POINT place = scale.Point(m_next);
    if (place.x + picture.cx > fullScreen.cx || place.y + picture.cy > fullScreen.cy || place.x < 0 || place.y < 0) {
        Restart();
        place = scale.Point(m_next);
    }
    // The window that wraps takes the start and the next one moves on, so no
    // two new notes lie exactly on top of each other.
    m_next.x += kStep;
    m_next.y += kStep;
    return place;
}
