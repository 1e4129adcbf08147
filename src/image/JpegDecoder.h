#pragma once

#include "image/PLDIBSection.h"

#include <windows.h>

#include <cstddef>

// Turns picture resources into bitmaps. JPEG is the only format the program
// stores; anything else is refused with "Unknown file type.".
class JpegDecoder {
public:
    // Decodes resource id (type RT_RCDATA when type is null) into bitmap.
    // bitsPerPixel 0 keeps the picture's own depth (32 for colour, 8 for grey),
    // 8 or 32 converts. eighths other than 8 scales the picture by that many
    // eighths as it is decoded (1 to 16; the size rounds up). Throws
    // PLTextException; on a throw bitmap is unchanged.
    void DecodeResource(HINSTANCE instance, int id, PLDIBSection& bitmap, int bitsPerPixel = 0,
                        const char* type = nullptr, int eighths = 8);

    // The same for picture bytes in memory.
    void DecodeBuffer(const void* data, size_t size, PLDIBSection& bitmap, int bitsPerPixel = 0, int eighths = 8);

    // Pictures beyond this many pixels, a side beyond 16384, are refused before
    // anything is allocated: a damaged header must not ask for gigabytes.
    static const long long kMaxPixels = 64LL * 1024 * 1024;
    static const int kMaxSide = 16384;
};
