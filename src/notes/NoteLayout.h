#pragma once

#include <windows.h>

// Where the controls of a note window sit on its picture, as MoveWindow takes
// them: left, top, width and height in client pixels. A reminder's picture
// differs from a note's, so its text and close button sit elsewhere.
class NoteLayout {
public:
    static RECT Text(bool reminder);
    static RECT Date();
    // The button takes the size of its picture; without one, the template's.
    static RECT Close(bool reminder, SIZE picture);
    // The small mark under the text that tells of more text below it.
    static RECT MoreBelow(bool reminder);
};
