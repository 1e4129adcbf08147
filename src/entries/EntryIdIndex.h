#pragma once

#include <map>

namespace util::xml {
class XmlElement;
}

// The children of a store's document by the number their "_id_" reads as, so
// finding an entry and giving a new one its id need not walk the whole file.
// The index holds pointers into the document: every child added or removed
// must pass through Add and Remove, and a new document needs a Rebuild.
class EntryIdIndex {
public:
    void Rebuild(const util::xml::XmlElement* root);
    void Clear() { m_children.clear(); }

    void Add(util::xml::XmlElement* child);
    void Remove(const util::xml::XmlElement* child);

    // The first "ENTRY" child in document order whose id reads as id, or null.
    util::xml::XmlElement* Find(int id) const;
    // What an entry without an id gets, the same as XmlElement::assignId gives:
    // one more than the largest id, or the smallest free positive one when the
    // largest is INT_MAX.
    int NextId() const;

private:
    // Keyed by the id as read (0 for none or garbage); equal keys stay in the
    // order they were added, which is document order as entries only append.
    std::multimap<int, util::xml::XmlElement*> m_children;
};
