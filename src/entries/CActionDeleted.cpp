#include "entries/CActionDeleted.h"

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";

}  // namespace

CActionDeleted::CActionDeleted()
    : CEntryStore("Deleted")
{}

CActionDeleted::CActionDeleted(const std::string& folder)
    : CEntryStore("Deleted", folder)
{}

bool CActionDeleted::Keep(const CEntry& entry)
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

int CActionDeleted::LastEntryIndex() const
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

bool CActionDeleted::PeekLast(CEntry& entry) const
{
    const int index = LastEntryIndex();
    if (index < 0)
        return false;
    CEntry found;
    if (!found.ReadFrom(GetDocument()->getChild(index)))
        return false;
    found.kind = found.notify != -1 ? 1 : 2;
    entry = found;
    return true;
}

void CActionDeleted::DropLast()
{
    const int index = LastEntryIndex();
    if (index >= 0)
        RemoveChild(index);
}

bool CActionDeleted::IsEmpty() const
{
    return LastEntryIndex() < 0;
}
