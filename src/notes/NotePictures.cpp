#include "notes/NotePictures.h"

#include "framework/AfxFunctions.h"
#include "image/JpegDecoder.h"
#include "image/ScaledArt.h"
#include "resource.h"

#include <utility>

namespace {

const int kBackgroundIds[] = {IDP_NOTE, IDP_REMINDER};
const int kOutlineIds[] = {IDR_REGION_NOTE, IDR_REGION_REMINDER};

}  // namespace

// The yellow art decoded once; the other colours tinted from it.
const PLDIBSection& NotePictures::Background(EntryKind kind, const DisplayScale& scale, NoteColour colour)
{
    PLDIBSection& picture = m_sets[scale.Dpi()].background[Index(kind)][static_cast<int>(colour)];
    if (!picture.IsEmpty())
        return picture;
    if (colour == NoteColour::Yellow) {
        JpegDecoder decoder;
        ScaledArt::DecodePicture(decoder, AfxGetResourceHandle(), kBackgroundIds[Index(kind)], POINT{0, 0}, scale,
                                 picture);
        return picture;
    }
    const PLDIBSection& yellow = Background(kind, scale);
    if (yellow.BitsPerPixel() != 32)
        return yellow;
    PLDIBSection tinted;
    tinted.Create(yellow.Width(), yellow.Height(), 32);
    for (int y = 0; y < yellow.Height(); ++y) {
        const BYTE* from = yellow.Row(y);
        BYTE* to = tinted.Row(y);
        // Blue, green, red, unused.
        for (int x = 0; x < yellow.Width(); ++x, from += 4, to += 4) {
            const Rgb pixel = TintPixel(Rgb{from[2], from[1], from[0]}, colour);
            to[0] = pixel.b;
            to[1] = pixel.g;
            to[2] = pixel.r;
            to[3] = from[3];
        }
    }
    picture = std::move(tinted);
    return picture;
}

// Drawn at a window's corner, over no other piece of art: cut from the origin.
const PLDIBSection& NotePictures::Alert(const DisplayScale& scale)
{
    PLDIBSection& alert = m_sets[scale.Dpi()].alert;
    if (alert.IsEmpty()) {
        JpegDecoder decoder;
        ScaledArt::DecodePicture(decoder, AfxGetResourceHandle(), IDP_ALERT, POINT{0, 0}, scale, alert);
    }
    return alert;
}

HRGN NotePictures::Outline(EntryKind kind, const DisplayScale& scale)
{
    GdiRegion& outline = m_sets[scale.Dpi()].outline[Index(kind)];
    if (!outline)
        outline = ScaledArt::LoadRegion(kOutlineIds[Index(kind)], scale);
    return outline.get();
}
