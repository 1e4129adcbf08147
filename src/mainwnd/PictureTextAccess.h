#pragma once

#include <windows.h>

#include <string>

class PictureFace;

// The texts the weather view draws on its picture, the status line and the
// weather, as screen readers find them: read-only static texts named with
// what they say, after the hot spots among the window's children. Only texts
// that are shown count.
class PictureTextAccess {
public:
    explicit PictureTextAccess(const PictureFace& face)
        : m_face(face)
    {}

    long Count() const;
    // The text of the index-th shown text (from 0); empty for none.
    std::string Name(long index) const;
    bool ScreenRect(HWND window, long index, RECT& rect) const;
    // The shown text under a point of the screen, or -1.
    long IndexAt(HWND window, POINT screenPoint) const;

private:
    // The index-th shown text and the picture's rectangle it is drawn in.
    bool Find(long index, const std::string** text, RECT* place) const;

    const PictureFace& m_face;
};
