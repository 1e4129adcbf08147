#include "entries/CEntryStore.h"

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";

}  // namespace

CEntryStore::CEntryStore(const char* storeName)
    : CAction(storeName)
{}

CEntryStore::CEntryStore(const char* storeName, const std::string& folder, const std::string& legacyFolder)
    : CAction(storeName, folder, legacyFolder)
{}

void CEntryStore::OnDocumentChanged()
{
    m_cursor = 0;
    m_warningShown = false;
}

bool CEntryStore::HasEntries()
{
    m_cursor = 0;
    const XmlElement* root = GetDocument();
    return root && root->findChild(ENTRY) != nullptr;
}

bool CEntryStore::GetNextEntry(CEntry& entry)
{
    const XmlElement* root = GetDocument();
    if (!root || m_cursor >= root->getChildCount())
        return false;
    return Read(root->getChild(m_cursor++), entry);
}

bool CEntryStore::Read(const XmlElement* element, CEntry& entry)
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

std::vector<CEntry> CEntryStore::ReadAll()
{
    std::vector<CEntry> entries;
    const XmlElement* root = GetDocument();
    if (!root)
        return entries;
    for (int i = 0; i < root->getChildCount(); ++i) {
        CEntry entry;
        if (!Read(root->getChild(i), entry))
            break;
        entry.kind = GetKind();
        entries.push_back(std::move(entry));
    }
    return entries;
}

int CEntryStore::FindEntry(int id) const
{
    const XmlElement* root = GetDocument();
    if (!root)
        return -1;
    for (int i = 0; i < root->getChildCount(); ++i) {
        const XmlElement* child = root->getChild(i);
        if (child->getName() != ENTRY)
            continue;
        const auto value = child->findAttribute("_id_");
        if (ReadDecimal(value ? *value : std::string()) == id)
            return i;
    }
    return -1;
}

bool CEntryStore::GetEntryById(int id, CEntry& entry)
{
    if (id == 0)
        return false;
    const int index = FindEntry(id);
    return index >= 0 && Read(GetDocument()->getChild(index), entry);
}

bool CEntryStore::DeleteEntry(int id)
{
    const int index = FindEntry(id);
    if (index < 0)
        return false;
    GetDocument()->removeChild(index);
    // Keeps an iteration that is under way on the entry that followed.
    if (index < m_cursor)
        --m_cursor;
    return true;
}

bool CEntryStore::AddEntry(CEntry& entry)
{
    return entry.AppendTo(GetDocument());
}
