#pragma once

#include "entries/CEntry.h"

#include <memory>
#include <string>
#include <vector>

namespace util::xml {
class XmlElement;
}

// One computer's copy of the notes and reminders in the synced folder: every
// entry it holds, and the entries it deleted ("DELETED": id, versions, stamp),
// so a delete reaches the others. Only that computer writes it.
struct ComputerFile {
    // The format this version writes; a file of a later one is left alone.
    static const int kFormat = 1;

    std::string computer;
    std::vector<CEntry> entries;  // kinds filled in
    std::vector<CEntry> deleted;  // uid, versions, stamp and kind only

    std::unique_ptr<util::xml::XmlElement> Document() const;
    // False, with the reason, for anything but a whole file of a known format:
    // then nothing of it is taken.
    static bool Read(const util::xml::XmlElement* root, ComputerFile& file, std::string& reason);
    static bool ReadBytes(const char* bytes, std::size_t size, ComputerFile& file, std::string& reason);
    static bool ReadPath(const std::string& path, ComputerFile& file, std::string& reason);
};
