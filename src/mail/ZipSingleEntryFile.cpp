#include "mail/ZipSingleEntryFile.h"

#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "mail/ZipFormat.h"

#include <windows.h>

bool ReadZipSingleEntry(const std::string& archivePath, ZipSingleEntry& entry)
{
    // Shared for reading only: nobody can cut the file short while it is mapped.
    KernelHandle file(CreateFileW(Widen(archivePath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER fileSize{};
    // An empty file cannot be mapped; a short or huge one is refused unread.
    if (!file || !GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart < ZipFormat::kEndRecordSize ||
        fileSize.QuadPart > 0xFFFFFFFF)
        return false;
    // Mapped rather than read: the program's archive is megabytes, and only the
    // end record, the directory and four bytes of the local header are touched.
    KernelHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping)
        return false;
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    return view && ParseZipSingleEntry(static_cast<const unsigned char*>(view.get()),
                                       static_cast<size_t>(fileSize.QuadPart), entry);
}
