#include "notes/NoteLayout.h"

#include "shared/DialogUnits.h"

// The reminder picture is lower: the text sits under the date.
RECT NoteLayout::Text(bool reminder)
{
    RECT text = ClassicDialogPlace(15, 34, 99, 69);
    if (reminder) {
        text.top = 72;
        text.bottom = 30;
    }
    return text;
}

RECT NoteLayout::Date()
{
    return ClassicDialogPlace(18, 32, 89, 10);
}

// A reminder's button sits at its picture's corner.
RECT NoteLayout::Close(bool reminder, SIZE picture)
{
    RECT close = ClassicDialogPlace(105, 103, 10, 10);
    if (reminder) {
        close.left = 155;
        close.top = 100;
    }
    if (picture.cx > 0 && picture.cy > 0) {
        close.right = picture.cx;
        close.bottom = picture.cy;
    }
    return close;
}

// Centred under the text, in the paper's margin above the button.
RECT NoteLayout::MoreBelow(bool reminder)
{
    const RECT text = Text(reminder);
    const int width = 9;
    return RECT{text.left + (text.right - width) / 2, text.top + text.bottom + 2, width, 5};
}
