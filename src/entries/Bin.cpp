#include "entries/Bin.h"

#include "base/StoredNames.h"

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";

}  // namespace

Bin::Bin(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders)
    : EntryStore(stored::kBinStore, folder, files, legacyFolders)
{}

bool Bin::Keep(const CEntry& entry)
{
    XmlElement* root = GetDocument();
    if (!root)
        return false;
    CEntry copy = entry;
    copy.id = 0;
    if (!AddEntry(copy))
        return false;
    int entries = 0;
    for (int i = 0; i < root->getChildCount(); ++i)
        entries += root->getChild(i)->getName() == ENTRY ? 1 : 0;
    for (int i = 0; i < root->getChildCount() && entries > kCapacity;) {
        if (root->getChild(i)->getName() == ENTRY) {
            RemoveChild(i);
            --entries;
        } else {
            ++i;
        }
    }
    return Save();
}

int Bin::LastEntryIndex() const
{
    const XmlElement* root = GetDocument();
    if (!root)
        return -1;
    for (int i = root->getChildCount() - 1; i >= 0; --i) {
        if (root->getChild(i)->getName() == ENTRY)
            return i;
    }
    return -1;
}

bool Bin::PeekLast(CEntry& entry) const
{
    const int index = LastEntryIndex();
    if (index < 0)
        return false;
    CEntry found;
    if (!found.ReadFrom(GetDocument()->getChild(index)))
        return false;
    found.kind = found.notify != -1 ? EntryKind::Reminder : EntryKind::Note;
    entry = found;
    return true;
}

void Bin::DropLast()
{
    const int index = LastEntryIndex();
    if (index >= 0)
        RemoveChild(index);
}

bool Bin::IsEmpty() const
{
    return LastEntryIndex() < 0;
}
