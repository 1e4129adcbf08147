#include "mail/ZipSingleEntryFile.h"
#include "mail/ZipWriter.h"

#include "ArchiveBytes.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ZipWriterTest : public testing::Test {
protected:
    // The archive of one file made the way the mail makes it.
    bool Zip(const std::string& source, const std::string& archive, int level = 9)
    {
        ZipWriter writer;
        const bool added = writer.Create(archive) && writer.SetPassword("") && writer.AddFile(source, level);
        return writer.Close() && added;
    }

    TempFolder folder;
};

void ExpectSoundEntry(const ArchiveBytes& zip, const std::string& name, const std::string& content)
{
    ASSERT_EQ(zip.problem, "");
    EXPECT_EQ(zip.entries, 1);
    EXPECT_EQ(zip.archiveCommentLength, 0);
    EXPECT_EQ(zip.name, name);
    EXPECT_EQ(zip.localName, name);
    EXPECT_EQ(zip.method, 8);
    EXPECT_EQ(zip.localMethod, 8);
    EXPECT_EQ(zip.madeBy, 20) << "version 2.0, made on MS-DOS (high byte 0)";
    EXPECT_EQ(zip.needed, 20);
    EXPECT_EQ(zip.localNeeded, 20);
    EXPECT_EQ(zip.flag & 9, 0) << "neither encrypted (bit 0) nor with a data descriptor (bit 3)";
    EXPECT_EQ(zip.flag, zip.localFlag);
    EXPECT_EQ(zip.time, zip.localTime);
    EXPECT_EQ(zip.date, zip.localDate);
    EXPECT_EQ(zip.extraLength, 0);
    EXPECT_EQ(zip.localExtraLength, 0);
    EXPECT_EQ(zip.commentLength, 0);
    EXPECT_EQ(zip.localOffset, 0u);

    const uint32_t crc = Crc32(content);
    EXPECT_EQ(zip.crc, crc);
    EXPECT_EQ(zip.localCrc, crc) << "the local header gets the CRC after the data";
    EXPECT_EQ(zip.uncompressedSize, content.size());
    EXPECT_EQ(zip.localUncompressedSize, content.size());
    EXPECT_EQ(zip.localCompressedSize, zip.compressedSize);
    std::string inflated;
    EXPECT_TRUE(InflateRaw(zip.compressed, inflated)) << "a raw deflate stream that ends with the entry";
    EXPECT_TRUE(inflated == content) << "the entry inflates to the file, byte for byte";
}

}  // namespace

TEST_F(ZipWriterTest, VariedFileMakesOneDeflatedEntryWithItsNameTimeAndAttributes)
{
    const std::string source = folder.File("Quokka Data.bin");
    const std::string content = VariedBytes(400 * 1024, 7);
    ASSERT_TRUE(TestFiles::Write(source, content));
    ASSERT_TRUE(TestFiles::SetWriteTime(source, 2019, 6, 15, 13, 45, 39));
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    const DWORD attributes = GetFileAttributesA(source.c_str());

    const bool zipped = Zip(source, folder.File("data.zip"));
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(zipped);

    const ArchiveBytes zip = ArchiveBytes::Read(TestFiles::Bytes(folder.File("data.zip")));
    ExpectSoundEntry(zip, "Quokka Data.bin", content);
    EXPECT_EQ(zip.flag, 2) << "level 9 is deflate's maximum compression";
    EXPECT_LT(zip.compressedSize, content.size());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(zip.externalAttributes, attributes) << "the Windows attributes as GetFileAttributesA gives them";
    uint16_t date = 0;
    uint16_t time = 0;
    ExpectedDos(2019, 6, 15, 13, 45, 39, date, time);
    EXPECT_EQ(zip.date, date);
    EXPECT_EQ(zip.time, time) << "seconds in steps of two";
}

TEST_F(ZipWriterTest, EmptyFileAndOtherLevelsStillInflate)
{
    const std::string empty = folder.File("empty.txt");
    ASSERT_TRUE(TestFiles::Write(empty, ""));
    ASSERT_TRUE(Zip(empty, folder.File("empty.zip")));
    ExpectSoundEntry(ArchiveBytes::Read(TestFiles::Bytes(folder.File("empty.zip"))), "empty.txt", "");

    // A file of exactly one read block and one byte more: the last read is short.
    const std::string source = folder.File("block.bin");
    const std::string content = VariedBytes(65536, 3);
    ASSERT_TRUE(TestFiles::Write(source, content));
    ASSERT_TRUE(Zip(source, folder.File("fast.zip"), 1));
    const ArchiveBytes fast = ArchiveBytes::Read(TestFiles::Bytes(folder.File("fast.zip")));
    ExpectSoundEntry(fast, "block.bin", content);
    EXPECT_EQ(fast.flag, 6) << "level 1: super fast";
    ASSERT_TRUE(Zip(source, folder.File("best.zip"), 9));
    EXPECT_LT(ArchiveBytes::Read(TestFiles::Bytes(folder.File("best.zip"))).compressedSize, fast.compressedSize)
        << "the level reaches zlib";
}

TEST_F(ZipWriterTest, YearsBefore1980AreYearZeroAndAfter2107TheLast)
{
    SYSTEMTIME moment{};
    moment.wYear = 1975;
    moment.wMonth = 3;
    moment.wDay = 4;
    moment.wHour = 23;
    moment.wMinute = 59;
    moment.wSecond = 59;
    EXPECT_EQ(ZipWriter::DosDate(moment), 0 << 9 | 3 << 5 | 4);
    EXPECT_EQ(ZipWriter::DosTime(moment), 23 << 11 | 59 << 5 | 29);
    moment.wYear = 1980;
    EXPECT_EQ(ZipWriter::DosDate(moment) >> 9, 0);
    moment.wYear = 2107;
    EXPECT_EQ(ZipWriter::DosDate(moment), 127 << 9 | 3 << 5 | 4);
    moment.wYear = 2150;
    EXPECT_EQ(ZipWriter::DosDate(moment), 127 << 9 | 3 << 5 | 4) << "no year bits spill into nothing";

    // Mid-year and at noon, so the local day is the same in every time zone.
    const std::string old = folder.File("old.txt");
    ASSERT_TRUE(TestFiles::Write(old, "made before the format"));
    ASSERT_TRUE(TestFiles::SetWriteTime(old, 1975, 7, 10, 12, 0, 0));
    ASSERT_TRUE(Zip(old, folder.File("old.zip")));
    const ArchiveBytes zip = ArchiveBytes::Read(TestFiles::Bytes(folder.File("old.zip")));
    ExpectSoundEntry(zip, "old.txt", "made before the format");
    EXPECT_EQ(zip.date, 7 << 5 | 10) << "year field 0, month and day kept";
}

TEST_F(ZipWriterTest, UnreadableOrForbiddenInputAddsNothing)
{
    const std::string source = folder.File("locked.bin");
    ASSERT_TRUE(TestFiles::Write(source, VariedBytes(10000, 1)));

    ZipWriter writer;
    ASSERT_TRUE(writer.Create(folder.File("refused.zip")));
    EXPECT_FALSE(writer.SetPassword("secret")) << "this writer cannot encrypt";
    EXPECT_FALSE(writer.AddFile(folder.File("missing.bin"), 9));
    EXPECT_FALSE(writer.AddFile(folder.Path() + "\\", 9)) << "no file name to store";
    EXPECT_FALSE(writer.AddFile(source, 10));
    {
        // Another writer at work: the data could change under the CRC.
        KernelHandle other(CreateFileA(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        EXPECT_FALSE(writer.AddFile(source, 9));
    }
    {
        KernelHandle exclusive(CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(exclusive);
        EXPECT_FALSE(writer.AddFile(source, 9));
    }
    // None of the refusals wrote a byte: the archive closes empty.
    ASSERT_TRUE(writer.Close());
    const std::string bytes = TestFiles::Bytes(folder.File("refused.zip"));
    EXPECT_EQ(bytes.size(), 22u);
    EXPECT_EQ(ArchiveBytes::Read(bytes).entries, 0);
    EXPECT_FALSE(writer.Close()) << "closed once";

    ZipWriter one;
    ASSERT_TRUE(one.Create(folder.File("one.zip")));
    EXPECT_TRUE(one.AddFile(source, 9));
    EXPECT_FALSE(one.AddFile(source, 9)) << "one file per archive";
    EXPECT_TRUE(one.Close());
    EXPECT_EQ(ArchiveBytes::Read(TestFiles::Bytes(folder.File("one.zip"))).entries, 1);

    ZipWriter nowhere;
    EXPECT_FALSE(nowhere.Create(folder.File("no such folder\\x.zip")));
    EXPECT_FALSE(nowhere.AddFile(source, 9));
    EXPECT_FALSE(nowhere.Close());
}

TEST_F(ZipWriterTest, FileOfFourGigabytesIsRefusedBeforeAnythingIsWritten)
{
    // Sparse: the length is set, no data written.
    const std::string huge = folder.File("huge.bin");
    {
        KernelHandle file(CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER length{};
        length.QuadPart = 0x100000000LL;
        ASSERT_TRUE(SetFilePointerEx(file.get(), length, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    ZipWriter writer;
    ASSERT_TRUE(writer.Create(folder.File("huge.zip")));
    EXPECT_FALSE(writer.AddFile(huge, 9)) << "its size does not fit a field without ZIP64";
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(TestFiles::Bytes(folder.File("huge.zip")).size(), 22u);
}

TEST_F(ZipWriterTest, ReaderTakesOnlyAnArchiveOfExactlyOneEntry)
{
    const std::string source = folder.File("Zorla.exe");
    const std::string content = VariedBytes(150 * 1024, 11);
    ASSERT_TRUE(TestFiles::Write(source, content));
    const std::string archive = folder.File("Zorla.zip");
    ASSERT_TRUE(Zip(source, archive));

    ZipSingleEntry entry;
    ASSERT_TRUE(ReadZipSingleEntry(archive, entry));
    EXPECT_EQ(entry.name, "Zorla.exe");
    EXPECT_EQ(entry.uncompressedSize, content.size());

    const std::string whole = TestFiles::Bytes(archive);
    const std::string damaged = folder.File("damaged.zip");
    auto rejects = [&](const std::string& bytes) {
        ZipSingleEntry ignored;
        return TestFiles::Write(damaged, bytes) && !ReadZipSingleEntry(damaged, ignored);
    };
    EXPECT_TRUE(rejects(whole.substr(0, whole.size() - 1))) << "cut by one byte";
    EXPECT_TRUE(rejects(whole.substr(0, whole.size() / 2))) << "cut in the data";
    EXPECT_TRUE(rejects(whole + "comment")) << "bytes after the end record";
    EXPECT_TRUE(rejects(std::string(4096, 'x'))) << "garbage";
    EXPECT_TRUE(rejects("")) << "empty";
    std::string moved = whole;
    moved[whole.size() - 22 + 16] ^= 1;  // the directory's offset
    EXPECT_TRUE(rejects(moved));
    std::string noLocal = whole;
    noLocal[0] = 'Q';
    EXPECT_TRUE(rejects(noLocal)) << "the entry's data does not begin with a local header";

    // The same entry listed twice: two headers in the directory, counts of 2.
    const size_t end = whole.size() - 22;
    const uint32_t directoryOffset = ArchiveBytes::Get32(whole, end + 16);
    const uint32_t directorySize = ArchiveBytes::Get32(whole, end + 12);
    std::string endRecord = whole.substr(end);
    endRecord[8] = endRecord[10] = 2;
    const uint32_t doubled = directorySize * 2;
    for (int i = 0; i < 4; ++i)
        endRecord[12 + i] = static_cast<char>(doubled >> (8 * i) & 0xFF);
    const std::string twice = whole.substr(0, end) + whole.substr(directoryOffset, directorySize) + endRecord;
    ASSERT_EQ(ArchiveBytes::Get32(twice, twice.size() - 22 + 16) + doubled, twice.size() - 22);
    EXPECT_TRUE(rejects(twice)) << "two entries";

    ZipWriter empty;
    ASSERT_TRUE(empty.Create(damaged));
    ASSERT_TRUE(empty.Close());
    ZipSingleEntry none;
    EXPECT_FALSE(ReadZipSingleEntry(damaged, none)) << "no entry";
    EXPECT_FALSE(ReadZipSingleEntry(folder.File("missing.zip"), none));
}
