#include "mail/ZipWriter.h"

#include "mail/ZipFormat.h"
#include "framework/Utf8.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace {

using namespace ZipFormat;

// Version 2.0 of the format; the high byte of "made by" is 0, MS-DOS, whose
// attribute bits are the ones Windows reports.
const uint16_t kVersion = 20;
const uint16_t kMethodDeflate = 8;
// Bit 11 of the general purpose flag: the name is UTF-8. Without it, readers
// take the name for code page 437.
const uint16_t kUtf8NameFlag = 0x0800;
// The offset of CRC-32, compressed and uncompressed size in the local header.
const uint64_t kLocalCrcOffset = 14;
const DWORD kReadBlock = 65535;
// 0xFFFFFFFF in a size or offset field announces ZIP64 fields, which this writer
// does not write.
const uint64_t kLargestField = 0xFFFFFFFEu;

void Put16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

// deflateEnd however the compression ends.
class DeflateStream {
public:
    explicit DeflateStream(int level)
    {
        m_ready = deflateInit2(&m_stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~DeflateStream()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    bool Ready() const { return m_ready; }
    z_stream& Get() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

bool LocalModificationTime(HANDLE file, SYSTEMTIME& local)
{
    FILETIME written{};
    SYSTEMTIME utc{};
    // The daylight saving rule of that day, not of today, as the C runtime's
    // localtime would apply it.
    return GetFileTime(file, nullptr, nullptr, &written) && FileTimeToSystemTime(&written, &utc) &&
           SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
}

}  // namespace

std::string ZipWriter::EntryName(const std::string& path)
{
    const size_t folder = path.find_last_of("\\/:");
    return folder == std::string::npos ? path : path.substr(folder + 1);
}

uint16_t ZipWriter::DosDate(const SYSTEMTIME& local)
{
    int year = local.wYear - 1980;
    if (year < 0)
        year = 0;
    if (year > 127)
        year = 127;
    return static_cast<uint16_t>(year << 9 | local.wMonth << 5 | local.wDay);
}

uint16_t ZipWriter::DosTime(const SYSTEMTIME& local)
{
    return static_cast<uint16_t>(local.wHour << 11 | local.wMinute << 5 | local.wSecond / 2);
}

uint16_t ZipWriter::NameFlag(const std::string& name)
{
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? 0 : kUtf8NameFlag;
}

uint16_t ZipWriter::DeflateFlag(int level)
{
    if (level >= 8)
        return 2;  // maximum
    if (level == 2)
        return 4;  // fast
    if (level == 1)
        return 6;  // super fast
    return 0;      // normal
}

bool ZipWriter::Create(const std::string& archivePath)
{
    if (m_file)
        return false;
    m_file.reset(CreateFileW(Widen(archivePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    m_size = 0;
    m_broken = false;
    m_hasEntry = false;
    return static_cast<bool>(m_file);
}

bool ZipWriter::SetPassword(const std::string& password)
{
    return password.empty();
}

bool ZipWriter::AddFile(const std::string& sourcePath, int level)
{
    if (!m_file || m_broken || m_hasEntry || level < 0 || level > 9)
        return false;
    Entry entry;
    entry.name = EntryName(sourcePath);
    if (entry.name.empty())
        return false;

    // Writers are kept out while the file is read, so CRC and data agree.
    const std::wstring wideSource = Widen(sourcePath);
    KernelHandle source(CreateFileW(wideSource.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source)
        return false;
    SYSTEMTIME modified{};
    LARGE_INTEGER size{};
    const DWORD attributes = GetFileAttributesW(wideSource.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !LocalModificationTime(source.get(), modified) ||
        !GetFileSizeEx(source.get(), &size) || static_cast<uint64_t>(size.QuadPart) > kLargestField)
        return false;
    entry.flag = static_cast<uint16_t>(DeflateFlag(level) | NameFlag(entry.name));
    entry.date = DosDate(modified);
    entry.time = DosTime(modified);
    entry.attributes = attributes;

    if (!WriteEntry(source.get(), entry, level)) {
        m_broken = true;
        return false;
    }
    m_entry = entry;
    m_hasEntry = true;
    return true;
}

bool ZipWriter::WriteEntry(HANDLE source, Entry& entry, int level)
{
    if (m_size > kLargestField)
        return false;
    entry.localHeaderOffset = static_cast<uint32_t>(m_size);
    std::string header;
    Put32(header, kLocalHeaderSignature);
    Put16(header, kVersion);
    Put16(header, entry.flag);
    Put16(header, kMethodDeflate);
    Put16(header, entry.time);
    Put16(header, entry.date);
    Put32(header, 0);  // CRC-32 and the sizes follow the data
    Put32(header, 0);
    Put32(header, 0);
    Put16(header, static_cast<uint16_t>(entry.name.size()));
    Put16(header, 0);  // extra field
    header += entry.name;
    if (!Write(header) || !Deflate(source, entry, level))
        return false;

    std::string sizes;
    Put32(sizes, entry.crc);
    Put32(sizes, entry.compressedSize);
    Put32(sizes, entry.uncompressedSize);
    return WriteAt(entry.localHeaderOffset + kLocalCrcOffset, sizes);
}

bool ZipWriter::Deflate(HANDLE source, Entry& entry, int level)
{
    DeflateStream deflater(level);
    if (!deflater.Ready())
        return false;
    z_stream& stream = deflater.Get();
    std::vector<unsigned char> in(kReadBlock);
    std::string out(kReadBlock + 1, '\0');
    uLong crc = crc32(0, Z_NULL, 0);
    uint64_t read = 0;
    uint64_t written = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, in.data(), kReadBlock, &got, nullptr))
            return false;
        crc = crc32(crc, in.data(), got);
        read += got;
        stream.next_in = in.data();
        stream.avail_in = got;
        const int flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
        int result = Z_OK;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
            stream.avail_out = static_cast<uInt>(out.size());
            result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR)
                return false;
            const size_t produced = out.size() - stream.avail_out;
            if (produced && !Write(out.data(), produced))
                return false;
            written += produced;
        } while (stream.avail_out == 0);
        if (read > kLargestField || written > kLargestField)
            return false;
        if (result == Z_STREAM_END)
            break;
    }
    entry.crc = static_cast<uint32_t>(crc);
    entry.compressedSize = static_cast<uint32_t>(written);
    entry.uncompressedSize = static_cast<uint32_t>(read);
    return true;
}

bool ZipWriter::Close()
{
    if (!m_file)
        return false;
    bool written = !m_broken;
    if (written) {
        const uint64_t directoryOffset = m_size;
        std::string directory;
        if (m_hasEntry) {
            Put32(directory, kCentralHeaderSignature);
            Put16(directory, kVersion);  // made by
            Put16(directory, kVersion);  // needed to extract
            Put16(directory, m_entry.flag);
            Put16(directory, kMethodDeflate);
            Put16(directory, m_entry.time);
            Put16(directory, m_entry.date);
            Put32(directory, m_entry.crc);
            Put32(directory, m_entry.compressedSize);
            Put32(directory, m_entry.uncompressedSize);
            Put16(directory, static_cast<uint16_t>(m_entry.name.size()));
            Put16(directory, 0);  // extra field
            Put16(directory, 0);  // file comment
            Put16(directory, 0);  // disk number start
            Put16(directory, 0);  // internal attributes
            Put32(directory, m_entry.attributes);
            Put32(directory, m_entry.localHeaderOffset);
            directory += m_entry.name;
        }
        const uint16_t entries = m_hasEntry ? 1 : 0;
        std::string end;
        Put32(end, kEndRecordSignature);
        Put16(end, 0);  // this disk
        Put16(end, 0);  // disk of the central directory
        Put16(end, entries);
        Put16(end, entries);
        Put32(end, static_cast<uint32_t>(directory.size()));
        Put32(end, static_cast<uint32_t>(directoryOffset));
        Put16(end, 0);  // archive comment
        // The data must be on the disk before anyone moves the archive into place.
        written = directoryOffset <= kLargestField && Write(directory + end) && FlushFileBuffers(m_file.get());
    }
    m_file.reset();
    return written;
}

bool ZipWriter::Write(const std::string& bytes)
{
    return Write(bytes.data(), bytes.size());
}

bool ZipWriter::Write(const char* data, size_t size)
{
    DWORD done = 0;
    if (!WriteFile(m_file.get(), data, static_cast<DWORD>(size), &done, nullptr) || done != size)
        return false;
    m_size += done;
    return true;
}

bool ZipWriter::WriteAt(uint64_t offset, const std::string& bytes)
{
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD done = 0;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(m_size);
    return SetFilePointerEx(m_file.get(), at, nullptr, FILE_BEGIN) &&
           WriteFile(m_file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
           done == bytes.size() && SetFilePointerEx(m_file.get(), end, nullptr, FILE_BEGIN);
}
