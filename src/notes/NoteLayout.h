#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

// Where the controls of a note window sit on its picture, as MoveWindow takes
// them: left, top, width and height in client pixels at the window's scale. A
// reminder's picture differs from a note's, so its text and close button sit
// elsewhere. The places are drawn for 96 DPI and scaled edge by edge, so they
// keep lying on the same parts of the scaled picture.
class NoteLayout {
public:
    static RECT Text(bool reminder, const DisplayScale& scale = DisplayScale());
    static RECT Date(const DisplayScale& scale = DisplayScale());
    // The button takes the size of its picture (at the scale already); without
    // one, the template's.
    static RECT Close(bool reminder, SIZE picture, const DisplayScale& scale = DisplayScale());
    // The small mark under the text that tells of more text below it.
    static RECT MoreBelow(bool reminder, const DisplayScale& scale = DisplayScale());
    // Between a repeating reminder's date label and the picture's right edge.
    static int DateMargin(const DisplayScale& scale = DisplayScale()) { return scale.Px(8); }
};
