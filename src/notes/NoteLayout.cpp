#include "notes/NoteLayout.h"

#include "notes/ScaledPlace.h"
#include "shared/DialogUnits.h"

namespace {

RECT BaseText(bool reminder)
{
    RECT text = ClassicDialogPlace(15, 34, 99, 69);
    // The reminder picture is lower: the text sits under the date.
    if (reminder) {
        text.top = 72;
        text.bottom = 30;
    }
    return text;
}

}  // namespace

RECT NoteLayout::Text(bool reminder, const DisplayScale& scale)
{
    return ScaledPlace(BaseText(reminder), scale);
}

RECT NoteLayout::Date(const DisplayScale& scale)
{
    return ScaledPlace(ClassicDialogPlace(18, 32, 89, 10), scale);
}

// A reminder's button sits at its picture's corner.
RECT NoteLayout::Close(bool reminder, SIZE picture, const DisplayScale& scale)
{
    RECT close = ClassicDialogPlace(105, 103, 10, 10);
    if (reminder) {
        close.left = 155;
        close.top = 100;
    }
    close = ScaledPlace(close, scale);
    if (picture.cx > 0 && picture.cy > 0) {
        close.right = picture.cx;
        close.bottom = picture.cy;
    }
    return close;
}

// Centred under the text, in the paper's margin above the button.
RECT NoteLayout::MoreBelow(bool reminder, const DisplayScale& scale)
{
    const RECT text = BaseText(reminder);
    const int width = 9;
    return ScaledPlace(RECT{text.left + (text.right - width) / 2, text.top + text.bottom + 2, width, 5}, scale);
}
