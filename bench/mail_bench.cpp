// The mail's archive of the real program: its size against zlib's raw deflate and
// Info-ZIP's zip -9 of the same file (measured by tools/bench.sh on the Linux
// side and handed over in ZORLA_ZIP9_BYTES), the time ZipWriter takes against a
// raw deflate of the same bytes in memory, and the check that reuses an archive.
#include "mail/ZipProgramForMail.h"
#include "mail/ZipWriter.h"

#include "BenchFolders.h"
#include "MedianTime.h"

#include <windows.h>

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const int RUNS = 5;

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Level 9, window bits -15, memory level 8: the stream the archive holds.
size_t RawDeflate(const std::string& bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return 0;
    std::vector<unsigned char> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    const size_t size = stream.total_out;
    deflateEnd(&stream);
    return done ? size : 0;
}

bool WriteArchive(const std::string& source, const std::string& archive)
{
    ZipWriter writer;
    const bool added = writer.Create(archive) && writer.AddFile(source, 9);
    return writer.Close() && added;
}

}  // namespace

int main()
{
    const std::string program = BesideThisProgram("Zorla.exe");
    const std::string bytes = Bytes(program);
    if (bytes.empty()) {
        std::printf("Zorla.exe not found beside the benchmark\n");
        return 1;
    }
    const std::string folder = TempFolder("zorla-mail-bench-");
    const std::string archive = folder + "\\Zorla.zip";

    size_t rawSize = 0;
    const double rawMs = MedianMs(RUNS, [&] { rawSize = RawDeflate(bytes); });
    bool written = true;
    const double writerMs = MedianMs(RUNS, [&] { written = WriteArchive(program, archive) && written; });
    const long long archiveSize = written ? FileSize(archive) : -1;

    std::printf("Zorla.exe, %zu bytes:\n", bytes.size());
    std::printf("  ZipWriter archive %lld bytes; raw deflate stream %zu bytes (+ %lld bytes of headers)\n", archiveSize,
                rawSize, archiveSize - static_cast<long long>(rawSize));
    // "<zip -9> <zip -9 -X>" in bytes.
    long long zipSize = 0;
    long long bareZipSize = 0;
    if (const char* zip9 = std::getenv("ZORLA_ZIP9_BYTES")) {
        char* rest = nullptr;
        zipSize = std::strtoll(zip9, &rest, 10);
        bareZipSize = std::strtoll(rest, nullptr, 10);
    }
    if (zipSize > 0 && bareZipSize > 0) {
        std::printf("  zip -9 archive %lld bytes: ours %+lld bytes (goal: no larger)\n", zipSize,
                    archiveSize - zipSize);
        std::printf("  zip -9 -X archive, without extra fields like ours, %lld bytes: ours %+lld bytes (%+.4f %%)\n",
                    bareZipSize, archiveSize - bareZipSize, 100.0 * (archiveSize - bareZipSize) / bareZipSize);
    } else {
        std::printf("  zip -9: not measured (run through tools/bench.sh)\n");
    }
    std::printf("  time: ZipWriter from the file %.0f ms, raw deflate in memory %.0f ms (%.2fx), medians of %d\n",
                writerMs, rawMs, rawMs > 0 ? writerMs / rawMs : 0.0, RUNS);

    // The second mail of a run: the archive is checked and reused.
    char saved[MAX_PATH] = "";
    const bool hadTmp = GetEnvironmentVariableA("TMP", saved, sizeof saved) != 0;
    SetEnvironmentVariableA("TMP", folder.c_str());
    std::string path = program;
    std::string title = "Zorla.exe";
    bool reused = ZipProgramForMail(path, title, nullptr);
    const double reuseMs = MedianMs(RUNS, [&] {
        path = program;
        title = "Zorla.exe";
        reused = ZipProgramForMail(path, title, nullptr) && reused;
    });
    SetEnvironmentVariableA("TMP", hadTmp ? saved : nullptr);
    std::printf("  a later mail reuses the archive: %.2f ms%s\n", reuseMs, reused ? "" : " (failed)");

    DeleteFileA(archive.c_str());
    RemoveDirectoryA(folder.c_str());
    return written && reused ? 0 : 1;
}
