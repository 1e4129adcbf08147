#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

// The DLLs an executable's import table makes Windows load before the program
// runs, in lower case; empty when the file is no PE executable.
std::set<std::string> LoadTimeImports(const std::string& exe)
{
    std::ifstream in(exe, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    auto at = [&](size_t offset, size_t size) { return offset + size <= file.size() ? file.data() + offset : nullptr; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)));
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE)
        return names;
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at(dos->e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
           nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
    if (!sections)
        return names;
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return file.size();
    };
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (size_t offset = fileOffset(imports);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!entry || entry->Name == 0)
            break;
        const char* name = at(fileOffset(entry->Name), 1);
        if (!name)
            break;
        std::string lower(name, strnlen(name, file.data() + file.size() - name));
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        names.insert(lower);
    }
    return names;
}

}  // namespace

TEST(Pipeline, RunsUnderWine)
{
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
}

// Windows loads these before the first line of the program runs; the common
// controls, the shell, WinInet, the sound libraries and OLE automation wait
// until first used, so the window shows without them.
TEST(Pipeline, ProgramLoadsOnlyWhatItsFirstPaintNeeds)
{
    const std::set<std::string> imports = LoadTimeImports(BesideThisProgram("Zorla.exe"));
    ASSERT_FALSE(imports.empty()) << "the import table could not be read";
    for (const char* later : {"comctl32.dll", "shell32.dll", "wininet.dll", "winmm.dll", "dsound.dll", "oleaut32.dll"})
        EXPECT_EQ(imports.count(later), 0u) << later << " is loaded with the program";
    for (const char* needed : {"kernel32.dll", "user32.dll", "gdi32.dll"})
        EXPECT_EQ(imports.count(needed), 1u) << needed;
    // The mail system is looked for when a mail is sent: a machine without
    // one must still start the program.
    EXPECT_EQ(imports.count("mapi32.dll"), 0u);
}
