#pragma once

#include "image/PLDIBSection.h"

#include <windows.h>

// Resamples a picture drawn at one DPI to another by averaging the area each
// new pixel covers: exact for the art's straight edges, with no ringing and no
// stretched pixels.
struct AreaResample {
    // The picture's place at its own DPI (origin = its top-left corner there).
    const PLDIBSection* source = nullptr;
    POINT sourceOrigin{};
    int sourceDpi = 96;
    int targetDpi = 96;
    // Pixels of this colour are holes: they give no colour to their
    // neighbours, and a new pixel less than half covered stays a hole.
    bool hasKey = false;
    COLORREF key = 0;

    // The picture for target, a rectangle at targetDpi in the same coordinates
    // as sourceOrigin; always 32 bits per pixel. Pixels beyond the source's
    // edge repeat its edge. Throws PLTextException when memory runs out.
    void Into(const RECT& target, PLDIBSection& picture) const;
};
