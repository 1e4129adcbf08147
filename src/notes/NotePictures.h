#pragma once

#include "image/PLDIBSection.h"

// The pictures of the note windows. Every window of a kind shows the same
// picture, so each is decoded once, when the first window needs it, and then
// only read.
class NotePictures {
public:
    // The background of a note (kind 2) or of a reminder (any other kind).
    // Throws PLTextException when the picture cannot be decoded; the next call
    // tries again.
    const PLDIBSection& Background(int kind);
    // The alert overlay of a due reminder.
    const PLDIBSection& Alert();

private:
    static const PLDIBSection& Decoded(PLDIBSection& picture, int id);

    PLDIBSection m_note;
    PLDIBSection m_reminder;
    PLDIBSection m_alert;
};
