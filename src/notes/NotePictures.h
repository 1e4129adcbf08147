#pragma once

#include "framework/Handles.h"
#include "entries/CEntry.h"
#include "image/DisplayScale.h"
#include "image/PLDIBSection.h"

#include <map>

// The pictures of the note windows and their outlines. Every window of a kind
// on monitors of one scale shows the same picture in the same outline, so each
// is made once per scale, when the first window needs it, and then only read.
class NotePictures {
public:
    // The background of a note (EntryKind::Note) or of a reminder (any other kind),
    // its paper and header in the colour. Throws PLTextException when the
    // picture cannot be decoded; the next call tries again.
    const PLDIBSection& Background(EntryKind kind, const DisplayScale& scale = DisplayScale(),
                                   NoteColour colour = NoteColour::Yellow);
    // The alert overlay of a due reminder, or of a note looked for. Throws as
    // Background does.
    const PLDIBSection& Alert(const DisplayScale& scale = DisplayScale());
    // The outline of a note or reminder window, for ApplyRegionCopy; null, the
    // user told, when its resource cannot be read. The next call tries again.
    HRGN Outline(EntryKind kind, const DisplayScale& scale = DisplayScale());

private:
    // Index 0 is a note's, 1 a reminder's.
    struct Set {
        PLDIBSection background[2][kNoteColourCount];
        PLDIBSection alert;
        GdiRegion outline[2];
    };
    static int Index(EntryKind kind) { return kind == EntryKind::Note ? 0 : 1; }

    // Kept by dots per inch; entries are never erased, so what a window was
    // given stays where it is.
    std::map<int, Set> m_sets;
};
