#pragma once

#include "base/DateTime.h"
#include "entries/NoteColour.h"
#include "entries/Repeat.h"

#include <string>

namespace util::xml {
class XmlElement;
}

// One note or reminder as the rest of the program passes it around: a plain value,
// copied freely. The store holds the lasting form as an "ENTRY" element.
// What an entry is; the numbers are the ones earlier versions used.
enum class EntryKind { Unknown = 0, Reminder = 1, Note = 2 };

class CEntry {
public:
    // Fills the entry from an "ENTRY" element; the kind is left to the caller.
    // False leaves the entry as it was; when a required attribute is missing,
    // warning (if given) receives the parser's text for the user.
    bool ReadFrom(const util::xml::XmlElement* element, std::string* warning = nullptr);
    // Appends an "ENTRY" element built from the entry to root; an entry without an
    // id gets one more than the largest id under root.
    bool AppendTo(util::xml::XmlElement* root);

    // Text in stored form: line breaks (CR LF) become "_BR_", so one file line holds it.
    void SetText(const std::string& typed);
    std::string GetDisplayText() const;

    std::string FormatDate(const char* format) const;
    DateTime GetReminderTime() const;
    // The main window's key for the entry's note window, e.g. "Zorla 1.0NID:12".
    std::string GetKey() const;

    EntryKind kind = EntryKind::Unknown;
    int wndX = -1;  // -1 until the note window was placed
    int wndY = -1;
    int id = 0;        // 0 until stored
    std::string text;  // stored form
    DateTime date;     // notes: created; reminders: the appointment
    int notify = -1;   // reminders: minutes after date when due; -1 for notes
    // Reminders that repeat: the stored name of how (empty: once; a name of a
    // later version is kept as it came), and the series' day of the month,
    // which a monthly or yearly date clamped to a shorter month has lost
    // (0: the date's own). Older copies ignore both and see the next
    // occurrence in date and notify.
    std::string repeat;
    int repeatDay = 0;
    // The paper's colour by its stored name: empty for yellow, and a name of a
    // later version kept as it came (shown as yellow).
    std::string color;

    NoteColour Colour() const { return NoteColourFromName(color); }
    void SetColour(NoteColour colour) { color = NoteColourName(colour); }

    Repeat GetRepeat() const { return RepeatFromName(repeat); }
    // The first occurrence after `after` (and after the current one); invalid
    // for a reminder that does not repeat.
    DateTime NextOccurrence(const DateTime& after) const;

    // Only while the notes are kept in a synced folder, empty otherwise: the
    // entry's id on every computer, the changes of each computer it holds
    // ("<computer>:<count> ..."), and the stamp of its last change.
    std::string uid;
    std::string versions;
    unsigned long long stamp = 0;
    // The text (stored form) and versions the computers last agreed on: what a
    // merge of two changes made apart starts from. Written only with an id;
    // the text only when it differs from the entry's own.
    std::string baseText;
    std::string baseVersions;
    // A reminder's time and repeat as agreed (When()), when they differ from its own.
    std::string baseWhen;
    // The colour as agreed, when it differs from the entry's own.
    std::string baseColor;

    // A reminder's date, due minutes and repeat as one text, to compare.
    std::string When() const;

    // Text, time, kind and colour: what another computer's change may bring.
    bool SameContent(const CEntry& other) const
    {
        return kind == other.kind && text == other.text && date == other.date && notify == other.notify &&
               repeat == other.repeat && repeatDay == other.repeatDay && color == other.color;
    }
};

// Keeps every printable character of the UTF-8 text, and CR, LF and TAB; drops
// the other controls (C0, DEL and C1), which a note cannot show and XML 1.0 in
// part cannot hold, and every byte that is not well-formed UTF-8.
std::string FilterText(const std::string& typed);

// Leading white space, an optional sign and the digits that follow; the rest is
// ignored and anything else reads as 0. Clamped to the int range.
int ReadDecimal(const std::string& text);
