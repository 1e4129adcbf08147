#include "sync/ComputerFile.h"

#include "entries/EntryStore.h"
#include "xml/IOException.h"
#include "xml/XmlAttribute.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlElement.h"
#include "xml/XmlParser.h"

#include <cstdlib>
#include <exception>
#include <filesystem>

using util::xml::XmlElement;

namespace {

const char* const ROOT = "ZORLA_NOTES";
const char* const DELETED = "DELETED";

const char* KindText(EntryKind kind)
{
    return kind == EntryKind::Reminder ? "reminder" : "note";
}

bool KindOf(const XmlElement& element, EntryKind& kind)
{
    const std::string text = element.findAttribute("kind").value_or(std::string());
    if (text == "note")
        kind = EntryKind::Note;
    else if (text == "reminder")
        kind = EntryKind::Reminder;
    else
        return false;
    return true;
}

// Ids, versions and stamps are what the merge goes by: an element without them
// would be taken for something it is not.
bool ReadSyncFields(const XmlElement& element, CEntry& entry)
{
    entry.uid = element.findAttribute("uid").value_or(std::string());
    entry.versions = element.findAttribute("versions").value_or(std::string());
    const std::string stamp = element.findAttribute("stamp").value_or(std::string());
    char* end = nullptr;
    entry.stamp = std::strtoull(stamp.c_str(), &end, 10);
    return !entry.uid.empty() && entry.uid.size() <= 64 && !entry.versions.empty() && !stamp.empty() && *end == '\0' &&
           KindOf(element, entry.kind);
}

// A deleted entry's text and time, written as an entry's.
bool ReadContent(const XmlElement& deleted, CEntry& entry)
{
    XmlElement scratch("ENTRY");
    for (int i = 0; i < deleted.getAttributeCount(); ++i) {
        const auto* attribute = deleted.getAttributeAt(i);
        scratch.setAttribute(attribute->getName(), attribute->getValue());
    }
    return entry.ReadFrom(&scratch);
}

}  // namespace

std::unique_ptr<XmlElement> ComputerFile::Document() const
{
    auto root = std::make_unique<XmlElement>(ROOT);
    root->setAttribute("format", kFormat);
    root->setAttribute("computer", computer);
    // The entries keep their local ids: the file's readers go by "uid", and an
    // entry without an id would make the writer look for a free one each time.
    for (CEntry entry : entries) {
        entry.AppendTo(root.get());
        root->getChild(root->getChildCount() - 1)->setAttribute("kind", KindText(entry.kind));
    }
    for (CEntry gone : deleted) {
        auto element = std::make_unique<XmlElement>(DELETED);
        // With its text, for the bin every computer shares; older versions
        // read only the id.
        if (!gone.text.empty()) {
            XmlElement scratch("ROOT");
            gone.AppendTo(&scratch);
            const XmlElement& content = *scratch.getChild(0);
            for (int i = 0; i < content.getAttributeCount(); ++i) {
                const auto* attribute = content.getAttributeAt(i);
                element->setAttribute(attribute->getName(), attribute->getValue());
            }
        }
        element->setAttribute("uid", gone.uid);
        element->setAttribute("versions", gone.versions);
        element->setAttribute("stamp", std::to_string(gone.stamp));
        element->setAttribute("kind", KindText(gone.kind));
        root->addChild(std::move(element));
    }
    return root;
}

bool ComputerFile::Read(const XmlElement* root, ComputerFile& file, std::string& reason)
{
    if (!root || root->getName() != ROOT) {
        reason = "not a file of notes";
        return false;
    }
    const std::string format = root->findAttribute("format").value_or(std::string());
    char* end = nullptr;
    const long number = std::strtol(format.c_str(), &end, 10);
    if (format.empty() || *end != '\0' || number < 1) {
        reason = "no format";
        return false;
    }
    if (number > kFormat) {
        reason = "written by a newer version";
        return false;
    }
    ComputerFile read;
    read.computer = root->findAttribute("computer").value_or(std::string());
    for (int i = 0; i < root->getChildCount(); ++i) {
        const XmlElement* child = root->getChild(i);
        CEntry entry;
        if (child->getName() == DELETED) {
            if (child->findAttribute("text") && !ReadContent(*child, entry)) {
                reason = "a deleted entry with a damaged text";
                return false;
            }
            if (!ReadSyncFields(*child, entry)) {
                reason = "a deleted entry without its id";
                return false;
            }
            read.deleted.push_back(entry);
        } else if (child->getName() == "ENTRY") {
            std::string warning;
            if (!entry.ReadFrom(child, &warning) || !ReadSyncFields(*child, entry)) {
                reason = warning.empty() ? "an entry without its id" : warning;
                return false;
            }
            read.entries.push_back(entry);
        }
    }
    file = std::move(read);
    return true;
}

bool ComputerFile::ReadBytes(const char* bytes, std::size_t size, ComputerFile& file, std::string& reason)
{
    try {
        util::xml::XmlParser parser;
        const std::unique_ptr<XmlElement> root = parser.parseBuffer(bytes, size);
        return Read(root.get(), file, reason);
    } catch (const util::xml::XML2_Exception& e) {
        reason = e.what();
    } catch (const std::exception& e) {
        reason = e.what();
    }
    return false;
}

bool ComputerFile::ReadPath(const std::string& path, ComputerFile& file, std::string& reason)
{
    try {
        util::xml::XmlParser parser;
        const std::unique_ptr<XmlElement> root = parser.parseFile(std::filesystem::u8path(path));
        return Read(root.get(), file, reason);
    } catch (const util::io::IOException& e) {
        reason = e.toString();
    } catch (const util::xml::XML2_Exception& e) {
        reason = e.what();
    } catch (const std::exception& e) {
        reason = e.what();
    }
    return false;
}
