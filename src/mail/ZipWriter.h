#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Writes a ZIP archive of one deflated file, as PKWARE's application note lays
// it out: the local header and the data, then on Close the central directory
// and the end record. CRC and sizes go back into the local header once the data
// is written, never into a trailing data descriptor. No encryption, spanning or
// ZIP64: a file of 4 GiB or more is refused.
//
// A failed call leaves the archive file behind, incomplete: whoever created it
// removes it.
class ZipWriter {
public:
    ZipWriter() = default;
    ~ZipWriter() = default;
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Creates the archive file, or empties an existing one, for reading and
    // writing; no one else may open it meanwhile.
    bool Create(const std::string& archivePath);
    // Only the empty password (no encryption) is taken: a password this writer
    // cannot honour must not pass for protection.
    bool SetPassword(const std::string& password);
    // Deflates the file at level (0 to 9) and stores it under its file name
    // alone, in UTF-8 as the path is. False when it cannot be read or written;
    // one file per archive.
    bool AddFile(const std::string& sourcePath, int level);
    // Writes the central directory and the end record and closes the file.
    bool Close();

    // The name a file is stored under: its path without any folder or drive.
    static std::string EntryName(const std::string& path);
    // The MS-DOS date and time fields of a local time; the year field counts from
    // 1980 in 7 bits, so earlier years give 0 and later ones stop at 2107.
    static uint16_t DosDate(const SYSTEMTIME& local);
    static uint16_t DosTime(const SYSTEMTIME& local);
    // Bit 11 of the general purpose flag for a UTF-8 name: set only when the
    // name holds more than ASCII, which every reader takes alike.
    static uint16_t NameFlag(const std::string& name);
    // Bits 1 and 2 of the general purpose flag: the deflate setting the level
    // stands for.
    static uint16_t DeflateFlag(int level);

private:
    struct Entry {
        std::string name;
        uint16_t flag = 0;
        uint16_t time = 0;
        uint16_t date = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint32_t attributes = 0;
        uint32_t localHeaderOffset = 0;
    };

    bool WriteEntry(HANDLE source, Entry& entry, int level);
    bool Deflate(HANDLE source, Entry& entry, int level);
    bool Write(const std::string& bytes);
    bool Write(const char* data, size_t size);
    bool WriteAt(uint64_t offset, const std::string& bytes);

    KernelHandle m_file;
    uint64_t m_size = 0;    // bytes written so far: the end of the archive
    bool m_broken = false;  // a write failed half-way; the file is no archive
    bool m_hasEntry = false;
    Entry m_entry;
};
