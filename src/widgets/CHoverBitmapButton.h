#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"

// An owner-drawn push button showing a picture: the normal one, another while
// the pointer is over it and after it was released. It sizes itself to its
// normal picture and learns that the pointer left from the leave notification.
class CHoverBitmapButton : public CWnd {
public:
    enum State { Normal = 0, Released = 1, Hover = 2, Disabled = 3 };

    // Bitmap resource ids, 0 for none; the normal one is required. The button
    // takes the normal picture's size. The disabled picture is never drawn.
    bool LoadBitmaps(UINT normal, UINT released = 0, UINT hover = 0, UINT disabled = 0);
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

    GdiBitmap m_released;
    GdiBitmap m_hover;
    GdiBitmap m_normal;
    GdiBitmap m_disabled;
    bool m_tracking = false;
    int m_state = Normal;
};
