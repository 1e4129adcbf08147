#pragma once

#include <windows.h>

#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>

// An archive of one entry taken apart byte by byte at the offsets of PKWARE's
// application note, without the program's own reader, so the tests see what any
// unzipper sees.
struct ArchiveBytes {
    std::string problem;  // empty when the layout holds together

    uint16_t entries = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    uint16_t archiveCommentLength = 0;

    uint16_t madeBy = 0;
    uint16_t needed = 0;
    uint16_t flag = 0;
    uint16_t method = 0;
    uint16_t time = 0;
    uint16_t date = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint32_t externalAttributes = 0;
    uint32_t localOffset = 0;
    std::string name;

    // The local header's copy of the same fields.
    uint16_t localNeeded = 0;
    uint16_t localFlag = 0;
    uint16_t localMethod = 0;
    uint16_t localTime = 0;
    uint16_t localDate = 0;
    uint32_t localCrc = 0;
    uint32_t localCompressedSize = 0;
    uint32_t localUncompressedSize = 0;
    uint16_t localExtraLength = 0;
    std::string localName;

    std::string compressed;  // the entry's data as stored

    static uint16_t Get16(const std::string& bytes, size_t at)
    {
        return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                                 << 8);
    }
    static uint32_t Get32(const std::string& bytes, size_t at)
    {
        return Get16(bytes, at) | static_cast<uint32_t>(Get16(bytes, at + 2)) << 16;
    }

    static ArchiveBytes Read(const std::string& bytes)
    {
        ArchiveBytes archive;
        if (bytes.size() < 22 || Get32(bytes, bytes.size() - 22) != 0x06054b50) {
            archive.problem = "no end record in the last 22 bytes";
            return archive;
        }
        const size_t end = bytes.size() - 22;
        archive.entries = Get16(bytes, end + 10);
        archive.directorySize = Get32(bytes, end + 12);
        archive.directoryOffset = Get32(bytes, end + 16);
        archive.archiveCommentLength = Get16(bytes, end + 20);
        if (Get16(bytes, end + 8) != archive.entries || Get16(bytes, end + 4) != 0 || Get16(bytes, end + 6) != 0)
            archive.problem = "disk numbers or entry counts disagree";
        if (archive.entries == 0)
            return archive;
        if (archive.directoryOffset + archive.directorySize != end) {
            archive.problem = "the directory does not end where the end record begins";
            return archive;
        }
        const size_t central = archive.directoryOffset;
        if (Get32(bytes, central) != 0x02014b50) {
            archive.problem = "no central header signature";
            return archive;
        }
        archive.madeBy = Get16(bytes, central + 4);
        archive.needed = Get16(bytes, central + 6);
        archive.flag = Get16(bytes, central + 8);
        archive.method = Get16(bytes, central + 10);
        archive.time = Get16(bytes, central + 12);
        archive.date = Get16(bytes, central + 14);
        archive.crc = Get32(bytes, central + 16);
        archive.compressedSize = Get32(bytes, central + 20);
        archive.uncompressedSize = Get32(bytes, central + 24);
        const uint16_t nameLength = Get16(bytes, central + 28);
        archive.extraLength = Get16(bytes, central + 30);
        archive.commentLength = Get16(bytes, central + 32);
        archive.externalAttributes = Get32(bytes, central + 38);
        archive.localOffset = Get32(bytes, central + 42);
        archive.name = bytes.substr(central + 46, nameLength);
        if (46u + nameLength + archive.extraLength + archive.commentLength != archive.directorySize)
            archive.problem = "the directory holds more than one header";

        const size_t local = archive.localOffset;
        if (local + 30 > bytes.size() || Get32(bytes, local) != 0x04034b50) {
            archive.problem = "no local header signature";
            return archive;
        }
        archive.localNeeded = Get16(bytes, local + 4);
        archive.localFlag = Get16(bytes, local + 6);
        archive.localMethod = Get16(bytes, local + 8);
        archive.localTime = Get16(bytes, local + 10);
        archive.localDate = Get16(bytes, local + 12);
        archive.localCrc = Get32(bytes, local + 14);
        archive.localCompressedSize = Get32(bytes, local + 18);
        archive.localUncompressedSize = Get32(bytes, local + 22);
        const uint16_t localNameLength = Get16(bytes, local + 26);
        archive.localExtraLength = Get16(bytes, local + 28);
        archive.localName = bytes.substr(local + 30, localNameLength);
        const size_t data = local + 30 + localNameLength + archive.localExtraLength;
        if (data + archive.compressedSize != archive.directoryOffset)
            archive.problem = "the data does not reach exactly to the directory";
        else
            archive.compressed = bytes.substr(data, archive.compressedSize);
        return archive;
    }
};

// A raw deflate stream inflated; false when it is damaged or does not end
// exactly at its last byte.
inline bool InflateRaw(const std::string& compressed, std::string& out)
{
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK)
        return false;
    out.clear();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    char buffer[65536];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
    }
    const bool whole = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    return whole;
}

inline uint32_t Crc32(const std::string& bytes)
{
    return static_cast<uint32_t>(
        crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// Data a few hundred KB long that deflate neither finds trivial nor hopeless:
// text lines, random bytes, long runs and a counting pattern, in turns.
inline std::string VariedBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes;
    bytes.reserve(size + 4096);
    int turn = 0;
    while (bytes.size() < size) {
        switch (turn++ % 4) {
        case 0:
            for (int line = 0; line < 40; ++line)
                bytes += "Line " + std::to_string(random() % 100000) + ": the quokka holds the menu card\r\n";
            break;
        case 1:
            for (int i = 0; i < 3000; ++i)
                bytes += static_cast<char>(random() & 0xFF);
            break;
        case 2: bytes.append(500 + random() % 2000, static_cast<char>(random() & 0xFF)); break;
        default:
            for (int i = 0; i < 2048; ++i)
                bytes += static_cast<char>(i * 7 & 0xFF);
        }
    }
    bytes.resize(size);
    return bytes;
}

// The MS-DOS date and time an unzipper shows for a moment given in UTC, worked
// out field by field from the local time of that day.
inline void ExpectedDos(int year, int month, int day, int hour, int minute, int second, uint16_t& date, uint16_t& time)
{
    SYSTEMTIME utc{};
    utc.wYear = static_cast<WORD>(year);
    utc.wMonth = static_cast<WORD>(month);
    utc.wDay = static_cast<WORD>(day);
    utc.wHour = static_cast<WORD>(hour);
    utc.wMinute = static_cast<WORD>(minute);
    utc.wSecond = static_cast<WORD>(second);
    SYSTEMTIME local{};
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    const int dosYear = local.wYear < 1980 ? 0 : local.wYear - 1980;
    date = static_cast<uint16_t>(dosYear * 512 + local.wMonth * 32 + local.wDay);
    time = static_cast<uint16_t>(local.wHour * 2048 + local.wMinute * 32 + local.wSecond / 2);
}
