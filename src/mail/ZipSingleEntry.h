#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the central directory of an archive says about its only entry: enough to
// tell whether an archive made earlier still holds the file it was made from.
// Nothing is decompressed or checked beyond the end record and the directory.
struct ZipSingleEntry {
    std::string name;
    uint32_t uncompressedSize = 0;
};

// False unless the bytes are a single-volume archive whose end record, without
// comment, closes them and whose directory, right before it, lists exactly one
// entry whose local header lies before the directory: a truncated or foreign
// file, or one of several entries, is not taken for an archive of one. Any
// other program can put a file where the archive is looked for, so every length
// and offset in the bytes is checked against size before it is followed.
bool ParseZipSingleEntry(const unsigned char* bytes, size_t size, ZipSingleEntry& entry);
