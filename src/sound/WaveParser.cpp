#include "sound/WaveParser.h"

#include <algorithm>
#include <cstring>
#include <mmreg.h>

namespace {

DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 | static_cast<DWORD>(p[2]) << 16 |
           static_cast<DWORD>(p[3]) << 24;
}

bool IsTag(const BYTE* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

const size_t kMinimumFormat = 14;  // WAVEFORMAT: tag, channels, rates, block align

}  // namespace

bool ParseWave(const BYTE* bytes, size_t size, WaveChunks& chunks)
{
    chunks = WaveChunks();
    if (!bytes || size < 12 || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE"))
        return false;
    // The RIFF size counts from byte 8; the walk never passes the real end.
    const size_t end = std::min<size_t>(size, 8 + static_cast<size_t>(ReadDword(bytes + 4)));
    WaveChunks found;
    size_t pos = 12;
    while (pos + 8 <= end && !(found.format && found.data)) {
        const BYTE* header = bytes + pos;
        const size_t chunkSize = ReadDword(header + 4);
        if (chunkSize > size - pos - 8)
            return false;
        const BYTE* body = header + 8;
        if (IsTag(header, "fmt ") && !found.format) {
            if (chunkSize < kMinimumFormat)
                return false;
            found.format = body;
            found.formatSize = chunkSize;
        } else if (IsTag(header, "data") && !found.data) {
            found.data = body;
            found.dataSize = chunkSize;
        }
        pos += 8 + chunkSize + (chunkSize & 1);
    }
    if (!found.format || !found.data)
        return false;
    chunks = found;
    return true;
}

std::vector<BYTE> WaveFormatBlock(const WaveChunks& chunks)
{
    std::vector<BYTE> block(std::max(chunks.formatSize, sizeof(WAVEFORMATEX)), 0);
    if (chunks.format)
        std::memcpy(block.data(), chunks.format, chunks.formatSize);
    auto* format = reinterpret_cast<WAVEFORMATEX*>(block.data());
    if (format->wFormatTag == WAVE_FORMAT_PCM)
        format->cbSize = 0;
    else
        format->cbSize = static_cast<WORD>(std::min<size_t>(format->cbSize, block.size() - sizeof(WAVEFORMATEX)));
    return block;
}
