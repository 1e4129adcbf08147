#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "image/DisplayScale.h"
#include "image/PLDIBSection.h"

#include <memory>

// The pictures of a hover button, loaded from bitmap resources. Buttons that
// show the same pictures (every note's close button) can share one set: it is
// loaded when the first of them asks and goes with the last of them.
class HoverBitmaps {
public:
    // A set of its own at scale; null when the normal picture (required) or
    // another named one (0: none) cannot be loaded.
    static std::shared_ptr<const HoverBitmaps> Load(UINT normal, UINT released, UINT hover,
                                                    const DisplayScale& scale = DisplayScale());
    // The set of these ids and scale that some button holds, else a newly loaded one.
    static std::shared_ptr<const HoverBitmaps> Shared(UINT normal, UINT released, UINT hover,
                                                      const DisplayScale& scale = DisplayScale());

    HBITMAP Normal() const { return m_normal.Handle(); }
    HBITMAP Released() const { return m_releasedIsHover ? m_hover.Handle() : m_released.Handle(); }
    HBITMAP Hover() const { return m_hover.Handle(); }
    SIZE Size() const { return m_size; }

private:
    PLDIBSection m_normal;
    PLDIBSection m_released;
    PLDIBSection m_hover;
    // One picture for both, loaded once.
    bool m_releasedIsHover = false;
    SIZE m_size{0, 0};
};

// An owner-drawn push button showing a picture: the normal one, another while
// the pointer is over it and after it was released. It sizes itself to its
// normal picture and learns that the pointer left from the leave notification.
class CHoverBitmapButton : public CWnd {
public:
    enum State { Normal = 0, Released = 1, Hover = 2, Disabled = 3 };

    // Bitmap resource ids, 0 for none; the normal one is required. The button
    // takes the normal picture's size. The disabled picture is never drawn.
    bool LoadBitmaps(UINT normal, UINT released = 0, UINT hover = 0, UINT disabled = 0,
                     const DisplayScale& scale = DisplayScale());
    // The same pictures as every other button sharing these ids and scale; the
    // button keeps its size: its owner places it, PictureSize() large.
    bool ShareBitmaps(UINT normal, UINT released = 0, UINT hover = 0, const DisplayScale& scale = DisplayScale());
    SIZE PictureSize() const { return m_bitmaps ? m_bitmaps->Size() : SIZE{0, 0}; }
    // Returns the previous check state (BM_GETCHECK).
    int SetState(int state);
    int GetState() const { return m_state; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    LRESULT OnMouseMove();
    LRESULT OnMouseLeave();
    LRESULT OnLButtonUp();
    void Repaint();
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::shared_ptr<const HoverBitmaps> m_bitmaps;
    bool m_tracking = false;
    int m_state = Normal;
    bool m_keyboardFocus = false;  // the mark shows only for a focus the keyboard brought
};
