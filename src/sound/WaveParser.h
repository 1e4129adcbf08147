#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// Where the format and the samples of a RIFF/WAVE file lie. Both point into the
// parsed bytes; nothing is copied.
struct WaveChunks {
    const BYTE* format = nullptr;
    size_t formatSize = 0;
    const BYTE* data = nullptr;
    size_t dataSize = 0;
};

// Finds the first "fmt " chunk (at least 14 bytes) and a "data" chunk of a
// RIFF/WAVE file. Every size read from the file is checked against size, so a
// damaged file fails instead of reaching past its end.
bool ParseWave(const BYTE* bytes, size_t size, WaveChunks& chunks);

// The format as a WAVEFORMATEX that DirectSound may read whole: a short chunk is
// padded with zeros, and cbSize never claims more bytes than the chunk holds.
std::vector<BYTE> WaveFormatBlock(const WaveChunks& chunks);
