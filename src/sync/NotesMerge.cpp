#include "sync/NotesMerge.h"

#include "sync/TextMerge.h"
#include "sync/Versions.h"

#include <optional>
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

// The entry as every computer holds it now: its own text and time are the
// base of the next merge.
CEntry Agreed(CEntry entry)
{
    entry.baseText = entry.text;
    entry.baseVersions = entry.versions;
    entry.baseWhen = entry.When();
    entry.baseColor = entry.color;
    return entry;
}

struct Base {
    std::string text;  // stored form
    std::string versions;
    std::string when;
    std::string color;
};

bool SeenBy(const Versions& base, const Versions& entry)
{
    const Order order = base.Compare(entry);
    return order == Order::Same || order == Order::Older;
}

// The newest of the two sides' bases that both sides have seen; among two
// of the same age the greater, so every computer takes the same. None: the
// texts merge as if both had been written from nothing, and nothing is lost.
Base CommonBase(const CEntry& mine, const CEntry& theirs)
{
    const Versions a = Versions::Parse(mine.versions);
    const Versions b = Versions::Parse(theirs.versions);
    std::optional<Base> best;
    Versions bestVersions;
    for (const CEntry* side : {&mine, &theirs}) {
        if (side->baseVersions.empty())
            continue;
        const Versions versions = Versions::Parse(side->baseVersions);
        if (!SeenBy(versions, a) || !SeenBy(versions, b))
            continue;
        if (best) {
            const Order order = versions.Compare(bestVersions);
            if (order == Order::Older)
                continue;
            if (order != Order::Newer && std::tie(side->baseVersions, side->baseText, side->baseWhen) <=
                                             std::tie(best->versions, best->text, best->when))
                continue;
        }
        best = Base{side->baseText, side->baseVersions, side->baseWhen, side->baseColor};
        bestVersions = versions;
    }
    return best.value_or(Base{});
}

std::string Shown(const std::string& stored)
{
    CEntry entry;
    entry.text = stored;
    return entry.GetDisplayText();
}

// Two changes made apart, merged as every computer merges them: the later
// change's time, its text first where both changed the same words.
// Without a base (withBase false) both texts count as written anew, so every
// line of each stays.
CEntry MergedApart(const CEntry& mine, const CEntry& theirs, bool withBase = true)
{
    const bool remoteLater = RemoteWins(mine, theirs);
    const CEntry& later = remoteLater ? theirs : mine;
    const CEntry& earlier = remoteLater ? mine : theirs;
    const Base base = withBase ? CommonBase(mine, theirs) : Base{};
    CEntry merged = remoteLater ? TakeContent(mine, theirs) : mine;
    std::string text = TextMerge::Merge(Shown(base.text), later.GetDisplayText(), earlier.GetDisplayText()).text;
    // Recoloured on the earlier side only: its colour stays.
    if (!base.versions.empty() && later.color != earlier.color && base.color == later.color)
        merged.color = earlier.color;
    if (merged.kind == EntryKind::Reminder && later.When() != earlier.When()) {
        if (base.when == later.When()) {
            // Only the earlier change moved the time: it stays.
            merged.date = earlier.date;
            merged.notify = earlier.notify;
            merged.repeat = earlier.repeat;
            merged.repeatDay = earlier.repeatDay;
        } else if (base.when != earlier.When()) {
            // Both moved it: the later time holds, and the text tells the other.
            std::string other = earlier.FormatDate("%d.%m.%Y %H:%M");
            if (!earlier.repeat.empty())
                other += ", " + earlier.repeat;
            text += (text.empty() ? "" : "\r\n") + std::string(TextMerge::kMarker) + other;
        }
    }
    merged.SetText(text);
    merged.versions = Joined(mine, theirs);
    merged.stamp = later.stamp;
    return Agreed(merged);
}

void MergeIntoLocal(const CEntry& mine, const CEntry& theirs, bool theirsDeleted, NotesMerge::Outcome& outcome,
                    std::map<std::string, CEntry>& deleted)
{
    const Order order = Versions::Parse(mine.versions).Compare(Versions::Parse(theirs.versions));
    if (order == Order::Newer)
        return;
    if (order == Order::Same && !theirsDeleted && !mine.SameContent(theirs)) {
        // One version, two texts. A copy without a base comes from an earlier
        // version of the program, which kept the later text: the two merge
        // without a base (a base would read what it dropped as deleted) and
        // count as this computer's change, so that computer takes the merge.
        if (theirs.baseVersions.empty()) {
            outcome.recounted.push_back(MergedApart(mine, theirs, false));
            return;
        }
        // Otherwise computers merged the same changes along different ways
        // (through files of different age): every computer keeps the later
        // text, so the copies still meet.
        if (std::make_tuple(theirs.stamp, theirs.text, theirs.When()) >
            std::make_tuple(mine.stamp, mine.text, mine.When()))
            outcome.changed.push_back(Agreed(TakeContent(mine, theirs)));
        return;
    }
    if (order == Order::Same) {
        // The other computer holds it as this one does: agreed, the next
        // merge starts from here.
        const CEntry agreed = Agreed(mine);
        if (!theirsDeleted && (agreed.baseText != mine.baseText || agreed.baseVersions != mine.baseVersions ||
                               agreed.baseWhen != mine.baseWhen))
            outcome.changed.push_back(agreed);
        return;
    }
    if (theirsDeleted) {
        if (order == Order::Older) {
            // Into the bin as it was deleted: changes made before the delete that
            // did not reach here yet come with it.
            outcome.removed.push_back(theirs.text.empty() ? mine : TakeContent(mine, theirs));
            deleted[mine.uid] = theirs;
            outcome.deletesChanged = true;
        } else {
            // Changed here while deleted there: the entry stays, merged with the
            // changes made there before the delete, and its versions now cover
            // the delete, so the other computer brings it back the same.
            CEntry kept = theirs.text.empty() ? mine : MergedApart(mine, theirs);
            kept.versions = Joined(mine, theirs);
            outcome.changed.push_back(kept);
        }
        return;
    }
    if (order == Order::Older) {
        outcome.changed.push_back(Agreed(TakeContent(mine, theirs)));
        return;
    }
    outcome.changed.push_back(MergedApart(mine, theirs));
}

// True when the entry comes back, and is deleted here no more.
bool MergeIntoDeleted(CEntry& gone, const CEntry& theirs, bool theirsDeleted, NotesMerge::Outcome& outcome)
{
    const Order order = Versions::Parse(gone.versions).Compare(Versions::Parse(theirs.versions));
    // The same versions held there: the same changes and deletes merged along
    // another way, where a change beat the delete; it does here too.
    if (order == Order::Newer || (order == Order::Same && theirsDeleted))
        return false;
    if (theirsDeleted) {
        // Deleted there too, after changes this computer has not seen: the bin
        // keeps the later text, or both merged as every computer merges them.
        const bool otherText = !theirs.text.empty() && theirs.text != gone.text;
        if (otherText)
            gone = order == Order::Older || gone.text.empty() ? theirs : MergedApart(gone, theirs);
        gone.versions = Joined(gone, theirs);
        gone.stamp = std::max(gone.stamp, theirs.stamp);
        if (otherText)
            outcome.rebinned.push_back(gone);
        outcome.deletesChanged = true;
        return false;
    }
    // A change made after the delete, or apart from it: the entry comes back,
    // once, and leaves the bin here too; apart, with the changes made here
    // before the delete, as the other computer merges them.
    CEntry back = order == Order::Apart && !gone.text.empty() ? MergedApart(gone, theirs) : theirs;
    back.id = 0;
    back.versions = Joined(gone, theirs);
    outcome.added.push_back(Agreed(back));
    outcome.unbinned.push_back(theirs.uid);
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
            // Deleted before this computer saw it: into the bin all share.
            if (!theirs.text.empty())
                outcome.binned.push_back(theirs);
        } else {
            CEntry added = theirs;
            added.id = 0;
            outcome.added.push_back(Agreed(added));
        }
    };
    for (const CEntry& theirs : remote.entries)
        take(theirs, false);
    for (const CEntry& theirs : remote.deleted)
        take(theirs, true);
    return outcome;
}
