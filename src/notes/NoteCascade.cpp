#include "notes/NoteCascade.h"

POINT NoteCascade::Next(SIZE picture, SIZE fullScreen)
{
    if (m_next.x + picture.cx > fullScreen.cx || m_next.y + picture.cy > fullScreen.cy || m_next.x < 0 || m_next.y < 0)
        Restart();
    // The window that wraps takes the start and the next one moves on, so no
    // two new notes lie exactly on top of each other.
    const POINT place = m_next;
    m_next.x += kStep;
    m_next.y += kStep;
    return place;
}
