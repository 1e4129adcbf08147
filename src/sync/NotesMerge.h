#pragma once

#include "entries/CEntry.h"
#include "sync/ComputerFile.h"

#include <map>
#include <string>
#include <vector>

// What another computer's file does to this computer's notes and reminders.
// Each entry is matched by its id; its versions tell whether one side has
// seen all the other's changes. When both changed it apart, both texts are
// merged against the newest text both had agreed on (TextMerge): edits to
// different parts both stay, and where both changed the same words the other
// version stands marked under the later one. The merge is the same on every
// computer, so the copies agree after one round. A change against a delete
// keeps the entry. Nothing is ever dropped: what leaves the notes goes to the
// bin, which every computer shares.
class NotesMerge {
public:
    struct Outcome {
        std::vector<CEntry> added;    // new here: to keep and open
        std::vector<CEntry> changed;  // local entries (local id, place) with new content or versions
        // Local entries merged with a copy of the same versions but another
        // text, which only a computer whose version does not merge (it keeps the
        // later of two texts) makes: stored as a change of this computer's own,
        // so that computer takes the merge too.
        std::vector<CEntry> recounted;
        std::vector<CEntry> removed;        // local entries another computer deleted: to the bin
        std::vector<CEntry> binned;         // deleted on another computer, never held here: to the bin
        std::vector<std::string> unbinned;  // ids brought back elsewhere: out of the bin
        std::vector<CEntry> rebinned;       // deleted here and there from other texts: replaces the bin's
        bool deletesChanged = false;        // the deleted ids this computer keeps
        bool Empty() const
        {
            return added.empty() && changed.empty() && recounted.empty() && removed.empty() && binned.empty() &&
                   unbinned.empty() && rebinned.empty();
        }
    };

    // local: every note and reminder here; deleted: the ids deleted here (or
    // learnt deleted), updated in place.
    static Outcome Merge(const std::vector<CEntry>& local, std::map<std::string, CEntry>& deleted,
                         const ComputerFile& remote);
};
