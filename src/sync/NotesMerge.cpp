#include "sync/NotesMerge.h"

#include "sync/Versions.h"

#include <tuple>

namespace {

using Order = Versions::Order;

// The later change of two made apart: the higher stamp, then the higher versions'
// text so every computer picks the same one.
bool RemoteWins(const CEntry& local, const CEntry& remote)
{
    return std::tie(remote.stamp, remote.versions) > std::tie(local.stamp, local.versions);
}

std::string Joined(const CEntry& a, const CEntry& b)
{
    Versions versions = Versions::Parse(a.versions);
    versions.Join(Versions::Parse(b.versions));
    return versions.Text();
}

// The remote content with this computer's id and place for it. A note stays a
// note: no computer turns one kind into the other.
CEntry TakeContent(const CEntry& local, const CEntry& remote)
{
    CEntry taken = remote;
    taken.id = local.id;
    taken.kind = local.kind;
    taken.wndX = local.wndX;
    taken.wndY = local.wndY;
    return taken;
}

// A copy for the bin: without its id, so bringing it back makes a note of its own.
CEntry Loser(CEntry entry)
{
    entry.uid.clear();
    entry.versions.clear();
    entry.stamp = 0;
    return entry;
}

void MergeIntoLocal(const CEntry& mine, const CEntry& theirs, bool theirsDeleted, NotesMerge::Outcome& outcome,
                    std::map<std::string, CEntry>& deleted)
{
    const Order order = Versions::Parse(mine.versions).Compare(Versions::Parse(theirs.versions));
    if (order == Order::Same || order == Order::Newer)
        return;
    if (theirsDeleted) {
        if (order == Order::Older) {
            outcome.removed.push_back(mine);
            deleted[mine.uid] = theirs;
            outcome.deletesChanged = true;
        } else {
            // Changed here while deleted there: the entry stays, and its versions
            // now cover the delete, so the other computer brings it back.
            CEntry kept = mine;
            kept.versions = Joined(mine, theirs);
            outcome.changed.push_back(kept);
        }
        return;
    }
    if (order == Order::Older) {
        outcome.changed.push_back(TakeContent(mine, theirs));
        return;
    }
    CEntry merged = RemoteWins(mine, theirs) ? TakeContent(mine, theirs) : mine;
    const CEntry& lost = RemoteWins(mine, theirs) ? mine : theirs;
    if (!lost.SameContent(merged))
        outcome.losers.push_back(Loser(lost));
    merged.versions = Joined(mine, theirs);
    outcome.changed.push_back(merged);
}

// True when the entry comes back, and is deleted here no more.
bool MergeIntoDeleted(CEntry& gone, const CEntry& theirs, bool theirsDeleted, NotesMerge::Outcome& outcome)
{
    const Order order = Versions::Parse(gone.versions).Compare(Versions::Parse(theirs.versions));
    if (order == Order::Same || order == Order::Newer)
        return false;
    if (theirsDeleted) {
        gone.versions = Joined(gone, theirs);
        gone.stamp = std::max(gone.stamp, theirs.stamp);
        outcome.deletesChanged = true;
        return false;
    }
    // A change made after the delete, or apart from it: the entry comes back.
    CEntry back = theirs;
    back.id = 0;
    back.versions = Joined(gone, theirs);
    outcome.added.push_back(back);
    outcome.deletesChanged = true;
    return true;
}

}  // namespace

NotesMerge::Outcome NotesMerge::Merge(const std::vector<CEntry>& local, std::map<std::string, CEntry>& deleted,
                                      const ComputerFile& remote)
{
    std::map<std::string, const CEntry*> byUid;
    for (const CEntry& entry : local)
        if (!entry.uid.empty())
            byUid.emplace(entry.uid, &entry);

    Outcome outcome;
    std::map<std::string, bool> seen;
    const auto take = [&](const CEntry& theirs, bool theirsDeleted) {
        // A file that names an id twice counts with its first.
        if (!seen.emplace(theirs.uid, true).second)
            return;
        if (const auto mine = byUid.find(theirs.uid); mine != byUid.end()) {
            MergeIntoLocal(*mine->second, theirs, theirsDeleted, outcome, deleted);
            return;
        }
        if (const auto gone = deleted.find(theirs.uid); gone != deleted.end()) {
            if (MergeIntoDeleted(gone->second, theirs, theirsDeleted, outcome))
                deleted.erase(gone);
            return;
        }
        if (theirsDeleted) {
            deleted[theirs.uid] = theirs;
            outcome.deletesChanged = true;
        } else {
            CEntry added = theirs;
            added.id = 0;
            outcome.added.push_back(added);
        }
    };
    for (const CEntry& theirs : remote.entries)
        take(theirs, false);
    for (const CEntry& theirs : remote.deleted)
        take(theirs, true);
    return outcome;
}
