// A data folder on a disk that fills up: started by with_small_disk.sh, which
// mounts a small file system for it and names its folder in ZORLA_SMALL_DISK.
#include "NoteWindowFixture.h"
#include "support/MessageBoxAnswerer.h"
#include "support/TestPlatform.h"

#include <cstdlib>

namespace {

// Fills the disk that holds folder; returns the filler file's name.
std::string FillDisk(const std::string& folder)
{
    const std::string filler = folder + "\\filler";
    HANDLE file = ::CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (::WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
           written == block.size()) {
    }
    // The last pages, byte by byte.
    while (::WriteFile(file, "f", 1, &written, nullptr) && written == 1) {
    }
    ::CloseHandle(file);
    return filler;
}

class SmallDiskChild : public NoteWindowTest {};

}  // namespace

TEST_F(SmallDiskChild, AFullDiskKeepsTheOldFileAndTheNextSaveTakesEverything)
{
    const char* disk = std::getenv("ZORLA_SMALL_DISK");
    ASSERT_TRUE(disk && *disk) << "run by with_small_disk.sh";
    ZorlaModel onDisk(TestPlatform::Context(disk));
    main.registry.SetModel(&onDisk);
    NoteStore& store = onDisk.Notes();
    TestFiles::Write(store.GetPath(), std::string(kDeclaration) +
                                          "<DATABASE><ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Start\" "
                                          "wndX=\"100\" wndY=\"100\"/></DATABASE>");
    ASSERT_TRUE(store.Load());
    for (CEntry& entry : store.ReadAll())
        main.registry.Open(entry, &main);
    CNoteDlg& window = *main.registry.Find("Zorla 1.0NID:1");
    HWND edit = ::GetDlgItem(window, IDC_NOTE_TEXT);
    const std::string before = TestFiles::Bytes(store.GetPath());
    const std::string filler = FillDisk(disk);

    // More text than the disk has room for (and than the edit takes from the
    // keyboard), in two bursts.
    const std::string typed(3000, 'w');
    MessageBoxAnswerer answerer(IDOK);
    for (int burst = 0; burst < 2; ++burst) {
        ::SetWindowTextA(edit, ("Start" + typed.substr(burst)).c_str());
        ::SendMessageA(window, WM_TIMER, CNoteDlg::TimerSave, 0);
        EXPECT_EQ(before, TestFiles::Bytes(store.GetPath())) << "the old file stays whole, byte for byte";
        EXPECT_FALSE(TestFiles::Exists(store.GetPath() + ".tmp"));
        EXPECT_TRUE(window.IsSavePending()) << "tried again later";
    }
    ASSERT_EQ(1u, answerer.boxes().size()) << "one box, not one per save";
    EXPECT_EQ("Error while writing data to hard disk.", answerer.boxes()[0].text);

    // Room again: the next try writes everything typed meanwhile.
    ASSERT_TRUE(::DeleteFileA(filler.c_str()));
    ::SendMessageA(window, WM_TIMER, CNoteDlg::TimerSave, 0);
    EXPECT_FALSE(window.IsSavePending());
    EXPECT_NE(std::string::npos, TestFiles::Bytes(store.GetPath()).find("text=\"Start" + typed.substr(1) + "\""));
    EXPECT_EQ(1u, answerer.boxes().size());
    main.registry.CloseAllKeepingState();
}
