#pragma once

#include "framework/Handles.h"
#include "image/DisplayScale.h"
#include "image/PLDIBSection.h"

#include <windows.h>

class JpegDecoder;

// The art at a display scale. Every picture and bitmap comes drawn at 100 %
// (its own id) and at 200 % (id * 100 + 8); scales between are the 200 %
// drawing area-averaged down. Window outlines come drawn at 100, 125, 150,
// 175 and 200 % (id * 100 + percent / 25); other scales transform the nearest.
class ScaledArt {
public:
    static int DoubleId(int id) { return id * 100 + 8; }
    static int RegionId(int id, int percent) { return percent == 100 ? id : id * 100 + percent / 25; }

    // Picture resource id, whose top-left corner lies at origin in the 96-DPI
    // window, at scale. It is to be drawn at the returned rectangle:
    // scale.InnerRect of its 96-DPI place, so a piece of art cut from a bigger
    // picture sits on it without a seam. Throws PLTextException as the decoder
    // does; a missing 200 % drawing falls back to the 100 % one.
    static RECT DecodePicture(JpegDecoder& decoder, HINSTANCE instance, int id, POINT origin,
                              const DisplayScale& scale, PLDIBSection& picture);

    // Bitmap resource id at scale, 32 bits per pixel; pixels of the key colour
    // stay holes when hasKey. False when the bitmap is not there.
    static bool LoadBitmap(HINSTANCE instance, int id, const DisplayScale& scale, PLDIBSection& bitmap,
                           bool hasKey = false, COLORREF key = 0);

    // Region resource id at scale; null, the user told, when there is none.
    static GdiRegion LoadRegion(int id, const DisplayScale& scale);
};
