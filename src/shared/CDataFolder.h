#pragma once

#include <string>

// Where the program keeps its data files. Folders are UTF-8 and returned with a
// trailing backslash.
class CDataFolder {
public:
    // The program folder when a file can really be created there, else the
    // per-user folder. Decided once per process.
    static const std::string& Get();
    // Tests of whole windows keep their files in a folder of their own: while set,
    // Get returns it and no files are taken over from the old places.
    static void SetForTest(const std::string& folder);
    static bool IsSetForTest();

    // The rule behind Get, with the candidates passed in: programFolder when
    // CanCreateFileIn says so, else userFolder (created when missing), else the
    // temporary folder as the last resort.
    static std::string Choose(const std::string& programFolder, const std::string& userFolder);

    // Creates and deletes a file in folder. The read-only attribute alone says
    // nothing: Windows ignores it on folders, while access rights or a
    // write-protected medium refuse files in folders that do not carry it.
    static bool CanCreateFileIn(const std::string& folder);

    // The executable's folder, without trailing backslash.
    static std::string ProgramFolder();
    // "<application data>\Velloran Software\<executable name>", without trailing
    // backslash; empty when the system has no application data folder.
    static std::string UserFolder();
    // Where data files went when the program folder was read-only (GetTempPath).
    static std::string TemporaryFolder();
};
