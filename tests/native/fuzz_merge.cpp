// libFuzzer target: another computer's file in the synced folder, read and
// merged into a fixed set of this computer's notes. Besides crashes it checks
// what the merge promises: no local note is lost (what leaves the notes is in
// the bin, a text is replaced only by a later version of it, by the same
// changes merged another way, or by its merge with another computer's, which
// keeps every line of it), a changed note keeps this computer's id, place and
// kind, and no id is held twice afterwards.
#include "sync/ComputerFile.h"
#include "sync/NotesMerge.h"
#include "sync/Versions.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

CEntry Local(int id, const char* uid, const char* versions, const char* text, EntryKind kind)
{
    CEntry entry;
    entry.id = id;
    entry.uid = uid;
    entry.versions = versions;
    entry.stamp = 1000 + static_cast<unsigned long long>(id);
    entry.SetText(text);
    entry.kind = kind;
    entry.date = DateTime(2026, 12, 7, 10, 0, 0);
    entry.wndX = 10 * id;
    entry.wndY = 20 * id;
    entry.notify = kind == EntryKind::Reminder ? 0 : -1;
    return entry;
}

// Every line of old stands in text, marked or not.
bool KeepsEveryLine(const std::string& text, const std::string& old)
{
    std::size_t start = 0;
    while (start <= old.size()) {
        std::size_t end = old.find("\r\n", start);
        if (end == std::string::npos)
            end = old.size();
        if (text.find(old.substr(start, end - start)) == std::string::npos)
            return false;
        start = end + 2;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ComputerFile file;
    std::string reason;
    if (!ComputerFile::ReadBytes(reinterpret_cast<const char*>(data), size, file, reason))
        return 0;

    const std::vector<CEntry> local = {
        Local(1, "aaaa", "0123456789abcdef:2", "milk", EntryKind::Note),
        Local(2, "bbbb", "0123456789abcdef:1 fedcba9876543210:1", "dentist", EntryKind::Reminder),
        Local(3, "cccc", "fedcba9876543210:3", "call Anna", EntryKind::Note),
    };
    std::map<std::string, CEntry> deleted;
    deleted["dddd"] = Local(4, "dddd", "0123456789abcdef:5", "", EntryKind::Note);
    const NotesMerge::Outcome outcome = NotesMerge::Merge(local, deleted, file);

    std::vector<CEntry> after = local;
    // What leaves the notes goes to the bin, as the delete that removed it left it.
    std::set<std::string> binned;
    for (const CEntry& gone : outcome.removed) {
        binned.insert(gone.uid);
        bool found = false;
        for (auto it = after.begin(); it != after.end(); ++it) {
            if (it->id == gone.id && it->uid == gone.uid) {
                after.erase(it);
                found = true;
                break;
            }
        }
        if (!found)
            Fail("a removed entry was not a local one");
    }
    for (const CEntry& changed : outcome.changed) {
        bool found = false;
        for (CEntry& entry : after) {
            if (entry.id != changed.id || entry.uid != changed.uid)
                continue;
            if (changed.wndX != entry.wndX || changed.wndY != entry.wndY || changed.kind != entry.kind)
                Fail("a change moved a note or changed its kind");
            // A new text replaces the old one only as a later version of it, one
            // that has seen every change of the old, or as the same changes
            // merged another way; else the two merge and every line of the old
            // stays in the note.
            const Versions::Order order = Versions::Parse(entry.versions).Compare(Versions::Parse(changed.versions));
            if (order != Versions::Order::Older && order != Versions::Order::Same &&
                !KeepsEveryLine(changed.GetDisplayText(), entry.GetDisplayText()))
                Fail("a changed note lost a line of its text");
            entry = changed;
            found = true;
        }
        if (!found)
            Fail("a changed entry was not a local one");
    }
    for (const CEntry& added : outcome.added)
        after.push_back(added);

    for (const CEntry& original : local) {
        bool kept = binned.count(original.uid) != 0;
        for (const CEntry& entry : after)
            kept = kept || entry.text == original.text || entry.uid == original.uid;
        if (!kept)
            Fail("a local note is lost");
    }
    std::set<std::string> uids;
    for (const CEntry& entry : after)
        if (!uids.insert(entry.uid).second)
            Fail("an id is held twice");
    return 0;
}
