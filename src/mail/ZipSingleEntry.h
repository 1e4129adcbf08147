#pragma once

#include <cstdint>
#include <string>

// What the central directory of an archive says about its only entry: enough to
// tell whether an archive made earlier still holds the file it was made from.
// Nothing is decompressed or checked beyond the end record and the directory.
struct ZipSingleEntry {
    std::string name;
    uint32_t uncompressedSize = 0;
};

// False when the file is missing or is no single-volume archive whose end
// record, without comment, closes the file and whose directory, right before
// it, lists exactly one entry: a truncated or foreign file, or one of several
// entries, is not taken for an archive of one.
bool ReadZipSingleEntry(const std::string& archivePath, ZipSingleEntry& entry);
