#pragma once

#include "framework/Handles.h"
#include "image/PLDIBSection.h"
#include "mainwnd/MainView.h"

#include <windows.h>

#include <memory>

// An invisible area of the main window's picture that reacts to the pointer:
// active in the views of its mask, optionally showing a picture and playing a
// sound while the pointer is over it.
class HotSpot {
public:
    HotSpot(int id, ViewMask views, GdiRegion region);
    // right and bottom exclusive
    static std::unique_ptr<HotSpot> FromRect(int id, int viewMask, const RECT& rect);
    // Four corners, filled with WINDING.
    static std::unique_ptr<HotSpot> FromPolygon(int id, int viewMask, const POINT (&corners)[4]);

    void SetHoverPicture(PLDIBSection picture, const RECT& at);
    void SetHoverSound(int soundId) { m_hoverSound = soundId; }

    int Id() const { return m_id; }
    int ViewMask() const { return m_viewMask; }
    bool IsActive(MainView view) const { return InViews(m_viewMask, view); }
    bool Contains(POINT windowPoint) const;
    HRGN Region() const { return m_region.get(); }
    // The smallest rectangle around the sensitive area, in window coordinates.
    RECT Bounds() const;
    bool IsHovered() const { return m_hovered; }
    bool HasHoverPicture() const { return m_hoverPicture != nullptr; }
    const RECT& HoverRect() const { return m_hoverRect; }
    int HoverSound() const { return m_hoverSound; }

    // Records whether the pointer is over the hot spot. On a change the hover
    // picture is drawn into window, or its place restored from background.
    // True when the pointer has just entered: the moment for the hover sound.
    bool SetHovered(bool hovered, HWND window, const PLDIBSection& background);

private:
    GdiRegion m_region;
    int m_viewMask;
    int m_id;
    bool m_hovered = false;
    std::unique_ptr<PLDIBSection> m_hoverPicture;
    RECT m_hoverRect{};
    int m_hoverSound = 0;
};
