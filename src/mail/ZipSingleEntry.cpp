#include "mail/ZipSingleEntry.h"

#include "mail/ZipFormat.h"

namespace {

using namespace ZipFormat;

uint16_t Get16(const unsigned char* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t Get32(const unsigned char* at)
{
    return Get16(at) | static_cast<uint32_t>(Get16(at + 2)) << 16;
}

}  // namespace

bool ParseZipSingleEntry(const unsigned char* bytes, size_t size, ZipSingleEntry& entry)
{
    // Offsets in the records are 32 bits: a larger file is no archive this
    // program wrote.
    if (size < kEndRecordSize || size > 0xFFFFFFFF)
        return false;
    const uint32_t endOffset = static_cast<uint32_t>(size) - kEndRecordSize;

    const unsigned char* end = bytes + endOffset;
    if (Get32(end) != kEndRecordSignature)
        return false;
    const uint16_t disk = Get16(end + 4);
    const uint16_t directoryDisk = Get16(end + 6);
    const uint16_t entriesHere = Get16(end + 8);
    const uint16_t entries = Get16(end + 10);
    const uint32_t directorySize = Get32(end + 12);
    const uint32_t directoryOffset = Get32(end + 16);
    const uint16_t commentLength = Get16(end + 20);
    if (disk != 0 || directoryDisk != 0 || entriesHere != 1 || entries != 1 || commentLength != 0 ||
        directorySize > endOffset || directoryOffset != endOffset - directorySize || directorySize < kCentralHeaderSize)
        return false;

    // The header's fixed part first: its lengths must add up to the directory,
    // which lies wholly inside the bytes, before any of them is followed.
    const unsigned char* header = bytes + directoryOffset;
    if (Get32(header) != kCentralHeaderSignature)
        return false;
    const uint32_t uncompressedSize = Get32(header + 24);
    const uint16_t nameLength = Get16(header + 28);
    const uint16_t extraLength = Get16(header + 30);
    const uint16_t fileCommentLength = Get16(header + 32);
    const uint32_t localHeaderOffset = Get32(header + 42);
    if (kCentralHeaderSize + nameLength + extraLength + fileCommentLength != directorySize ||
        localHeaderOffset >= directoryOffset)
        return false;

    // The entry's data must at least begin where the directory says. The
    // signature may run into the directory, never past the end.
    if (localHeaderOffset > size - 4 || Get32(bytes + localHeaderOffset) != kLocalHeaderSignature)
        return false;

    entry.name.assign(reinterpret_cast<const char*>(header + kCentralHeaderSize), nameLength);
    entry.uncompressedSize = uncompressedSize;
    return true;
}
