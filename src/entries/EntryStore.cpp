#include "entries/EntryStore.h"

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";

}  // namespace

EntryStore::EntryStore(const char* storeName, const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders)
    : XmlStore(storeName, folder, files, legacyFolders)
{}

void EntryStore::OnDocumentChanged()
{
    m_ids.Clear();
    m_idsBuilt = false;
    m_cursor = 0;
    m_warningShown = false;
}

bool EntryStore::HasEntries()
{
    m_cursor = 0;
    const XmlElement* root = GetDocument();
    return root && root->findChild(ENTRY) != nullptr;
}

bool EntryStore::GetNextEntry(CEntry& entry)
{
    const XmlElement* root = GetDocument();
    if (!root || m_cursor >= root->getChildCount())
        return false;
    return Read(root->getChild(m_cursor++), entry);
}

bool EntryStore::Read(const XmlElement* element, CEntry& entry)
{
    std::string warning;
    if (entry.ReadFrom(element, &warning))
        return true;
    if (!warning.empty() && !m_warningShown) {
        m_warningShown = true;
        Report(StoreProblem{StoreProblem::DamagedEntry, GetPath(), warning});
    }
    return false;
}

std::vector<CEntry> EntryStore::ReadAll()
{
    std::vector<CEntry> entries;
    const XmlElement* root = GetDocument();
    if (!root)
        return entries;
    entries.reserve(static_cast<std::size_t>(root->getChildCount()));
    // A new CEntry asks the clock for its date, which costs more than copying one.
    const CEntry blank;
    for (int i = 0; i < root->getChildCount(); ++i) {
        CEntry entry = blank;
        if (!Read(root->getChild(i), entry))
            break;
        entry.kind = GetKind();
        entries.push_back(std::move(entry));
    }
    return entries;
}

EntryIdIndex& EntryStore::Ids()
{
    if (!m_idsBuilt) {
        m_ids.Rebuild(GetDocument());
        m_idsBuilt = true;
    }
    return m_ids;
}

int EntryStore::PositionOf(const XmlElement* child) const
{
    const XmlElement* root = GetDocument();
    for (int i = 0; root && child && i < root->getChildCount(); ++i) {
        if (root->getChild(i) == child)
            return i;
    }
    return -1;
}

bool EntryStore::GetEntryById(int id, CEntry& entry)
{
    if (id == 0 || !GetDocument())
        return false;
    const XmlElement* found = Ids().Find(id);
    return found && Read(found, entry);
}

bool EntryStore::DeleteEntry(int id)
{
    if (!GetDocument())
        return false;
    const int position = PositionOf(Ids().Find(id));
    if (position < 0)
        return false;
    RemoveChild(position);
    return true;
}

void EntryStore::RemoveChild(int position)
{
    XmlElement* root = GetDocument();
    const XmlElement* child = root ? root->getChild(position) : nullptr;
    if (!child)
        return;
    if (m_idsBuilt)
        m_ids.Remove(child);
    root->removeChild(position);
    // Keeps an iteration that is under way on the entry that followed.
    if (position < m_cursor)
        --m_cursor;
}

bool EntryStore::AddEntry(CEntry& entry)
{
    XmlElement* root = GetDocument();
    if (!root)
        return false;
    EntryIdIndex& ids = Ids();
    // Given here, AppendTo need not look for the largest id itself.
    if (entry.id == 0)
        entry.id = ids.NextId();
    if (!entry.AppendTo(root))
        return false;
    ids.Add(root->getChild(root->getChildCount() - 1));
    return true;
}
