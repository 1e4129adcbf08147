#pragma once

#include "framework/Handles.h"
#include "entries/CEntry.h"
#include "image/PLDIBSection.h"

// The pictures of the note windows and their outlines. Every window of a kind
// shows the same picture in the same outline, so each is made once, when the
// first window needs it, and then only read.
class NotePictures {
public:
    // The background of a note (EntryKind::Note) or of a reminder (any other kind).
    // Throws PLTextException when the picture cannot be decoded; the next call
    // tries again.
    const PLDIBSection& Background(EntryKind kind);
    // The alert overlay of a due reminder.
    const PLDIBSection& Alert();
    // The outline of a note or reminder window, for ApplyRegionCopy; null, the
    // user told, when its resource cannot be read. The next call tries again.
    HRGN Outline(EntryKind kind);

private:
    static const PLDIBSection& Decoded(PLDIBSection& picture, int id);

    PLDIBSection m_note;
    PLDIBSection m_reminder;
    PLDIBSection m_alert;
    GdiRegion m_noteOutline;
    GdiRegion m_reminderOutline;
};
