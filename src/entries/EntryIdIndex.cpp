#include "entries/EntryIdIndex.h"

#include "xml/XmlElement.h"

#include <climits>

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";
const char* const ID_ATTRIBUTE = "_id_";

int IdOf(const XmlElement* child)
{
    const auto value = child->findAttribute(ID_ATTRIBUTE);
    return value ? util::xml::readDecimal(*value) : 0;
}

}  // namespace

void EntryIdIndex::Rebuild(const XmlElement* root)
{
    m_children.clear();
    if (!root)
        return;
    for (int i = 0; i < root->getChildCount(); ++i)
        Add(root->getChild(i));
}

void EntryIdIndex::Add(XmlElement* child)
{
    // A multimap puts an equal key after those already there.
    m_children.emplace(IdOf(child), child);
}

void EntryIdIndex::Remove(const XmlElement* child)
{
    const auto range = m_children.equal_range(IdOf(child));
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == child) {
            m_children.erase(it);
            return;
        }
    }
}

XmlElement* EntryIdIndex::Find(int id) const
{
    const auto range = m_children.equal_range(id);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second->getName() == ENTRY)
            return it->second;
    }
    return nullptr;
}

int EntryIdIndex::NextId() const
{
    // Children without an id sit under 0 and negative ids below it: neither
    // moves the result, as with assignId.
    const int largest = m_children.empty() ? 0 : m_children.rbegin()->first;
    if (largest < INT_MAX)
        return largest < 0 ? 1 : largest + 1;
    int candidate = 1;
    for (auto it = m_children.lower_bound(1); it != m_children.end() && it->first <= candidate; ++it) {
        if (it->first == candidate)
            ++candidate;
    }
    return candidate;
}
