#include "mail/ZipProgramForMail.h"

#include "shared/CDataFolder.h"
#include "shared/Leftovers.h"
#include "framework/Utf8.h"
#include "mail/ZipSingleEntryFile.h"
#include "mail/ZipWriter.h"
#include "shared/Translator.h"
#include "widgets/CProgressWnd.h"

#include <windows.h>

namespace {

const int kBestCompression = 9;

std::string WithoutExtension(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// An archive is reused only while it still holds this very program: one made
// by an earlier version would mail the old program after every update.
bool HoldsProgram(const std::string& archive, const std::string& program)
{
    WIN32_FILE_ATTRIBUTE_DATA archiveData{};
    WIN32_FILE_ATTRIBUTE_DATA programData{};
    if (!GetFileAttributesExW(Widen(archive).c_str(), GetFileExInfoStandard, &archiveData) ||
        !GetFileAttributesExW(Widen(program).c_str(), GetFileExInfoStandard, &programData) ||
        CompareFileTime(&archiveData.ftLastWriteTime, &programData.ftLastWriteTime) < 0 ||
        programData.nFileSizeHigh != 0)
        return false;
    ZipSingleEntry entry;
    return ReadZipSingleEntry(archive, entry) && entry.name == ZipWriter::EntryName(program) &&
           entry.uncompressedSize == programData.nFileSizeLow;
}

// Written under a name of its own and moved into place when complete, so that a
// cut write never leaves a broken archive that later mails would reuse; the
// next start removes a temporary that a kill left behind.
bool BuildArchive(const std::string& archive, const std::string& program)
{
    const std::string temporary = Leftovers::CreateArchiveTemporary(archive);
    if (temporary.empty())
        return false;
    bool built = false;
    {
        ZipWriter writer;
        built = writer.Create(temporary) && writer.SetPassword("") && writer.AddFile(program, kBestCompression);
        built = writer.Close() && built;
    }
    if (built)
        built = MoveFileExW(Widen(temporary).c_str(), Widen(archive).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!built)
        DeleteFileW(Widen(temporary).c_str());
    return built;
}

}  // namespace

bool ZipProgramForMail(std::string& path, std::string& title, CProgressWnd* progress)
{
    const std::string folder = CDataFolder::TemporaryFolder();
    if (folder.empty())
        return false;
    const std::string archive = folder + WithoutExtension(ZipWriter::EntryName(path)) + ".zip";

    if (progress)
        progress->Update(Translate("Start compressing program...").c_str(), 40);

    if (!HoldsProgram(archive, path) && !BuildArchive(archive, path))
        return false;
    path = archive;
    title = WithoutExtension(title) + ".zip";
    return true;
}
