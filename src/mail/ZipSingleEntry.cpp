#include "mail/ZipSingleEntry.h"

#include "framework/Handles.h"
#include "mail/ZipFormat.h"

#include <windows.h>

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

bool ReadAt(HANDLE file, DWORD offset, unsigned char* into, DWORD size)
{
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    DWORD got = 0;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ReadFile(file, into, size, &got, nullptr) && got == size;
}

}  // namespace

bool ReadZipSingleEntry(const std::string& archivePath, ZipSingleEntry& entry)
{
    KernelHandle file(CreateFileA(archivePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER fileSize{};
    if (!file || !GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart < kEndRecordSize ||
        fileSize.QuadPart > 0xFFFFFFFF)
        return false;
    const DWORD endOffset = static_cast<DWORD>(fileSize.QuadPart) - kEndRecordSize;

    unsigned char end[kEndRecordSize];
    if (!ReadAt(file.get(), endOffset, end, sizeof end) || Get32(end) != kEndRecordSignature)
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

    // The header first: a crafted size must not decide how much is read.
    unsigned char header[kCentralHeaderSize];
    if (!ReadAt(file.get(), directoryOffset, header, sizeof header) || Get32(header) != kCentralHeaderSignature)
        return false;
    const uint32_t uncompressedSize = Get32(header + 24);
    const uint16_t nameLength = Get16(header + 28);
    const uint16_t extraLength = Get16(header + 30);
    const uint16_t fileCommentLength = Get16(header + 32);
    const uint32_t localHeaderOffset = Get32(header + 42);
    if (kCentralHeaderSize + nameLength + extraLength + fileCommentLength != directorySize ||
        localHeaderOffset >= directoryOffset)
        return false;
    std::string name(nameLength, '\0');
    if (nameLength && !ReadAt(file.get(), directoryOffset + kCentralHeaderSize,
                              reinterpret_cast<unsigned char*>(&name[0]), nameLength))
        return false;

    // The entry's data must at least begin where the directory says.
    unsigned char local[4];
    if (!ReadAt(file.get(), localHeaderOffset, local, sizeof local) || Get32(local) != kLocalHeaderSignature)
        return false;

    entry.name = name;
    entry.uncompressedSize = uncompressedSize;
    return true;
}
