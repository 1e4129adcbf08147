#include "mainwnd/HotSpot.h"

#include <utility>

HotSpot::HotSpot(int id, int viewMask, GdiRegion region)
    : m_region(std::move(region))
    , m_viewMask(viewMask)
    , m_id(id)
{}

std::unique_ptr<HotSpot> HotSpot::FromRect(int id, int viewMask, const RECT& rect)
{
    return std::make_unique<HotSpot>(id, viewMask,
                                     GdiRegion(::CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom)));
}

std::unique_ptr<HotSpot> HotSpot::FromPolygon(int id, int viewMask, const POINT (&corners)[4])
{
    return std::make_unique<HotSpot>(id, viewMask, GdiRegion(::CreatePolygonRgn(corners, 4, WINDING)));
}

void HotSpot::SetHoverPicture(PLDIBSection picture, const RECT& at)
{
    m_hoverPicture = std::make_unique<PLDIBSection>(std::move(picture));
    m_hoverRect = at;
}

RECT HotSpot::Bounds() const
{
    RECT box{};
    if (m_region)
        ::GetRgnBox(m_region.get(), &box);
    return box;
}

bool HotSpot::Contains(POINT windowPoint) const
{
    return m_region && ::PtInRegion(m_region.get(), windowPoint.x, windowPoint.y);
}

bool HotSpot::SetHovered(bool hovered, HWND window, const PLDIBSection& background)
{
    if (m_hoverPicture && window && hovered != m_hovered) {
        WindowDCScope scope(window);
        if (scope.dc()) {
            if (hovered)
                m_hoverPicture->Draw(scope.dc(), m_hoverRect.left, m_hoverRect.top, SRCCOPY);
            else
                background.DrawPart(scope.dc(), POINT{m_hoverRect.left, m_hoverRect.top}, m_hoverRect);
        }
    }
    const bool entered = hovered && !m_hovered;
    m_hovered = hovered;
    return entered;
}
