#include "notes/NotePictures.h"

#include "framework/AfxFunctions.h"
#include "image/JpegDecoder.h"
#include "image/ScaledArt.h"
#include "resource.h"

namespace {

const int kBackgroundIds[] = {IDP_NOTE, IDP_REMINDER};
const int kOutlineIds[] = {IDR_REGION_NOTE, IDR_REGION_REMINDER};

}  // namespace

const PLDIBSection& NotePictures::Background(EntryKind kind, const DisplayScale& scale)
{
    PLDIBSection& picture = m_sets[scale.Dpi()].background[Index(kind)];
    if (picture.IsEmpty()) {
        JpegDecoder decoder;
        ScaledArt::DecodePicture(decoder, AfxGetResourceHandle(), kBackgroundIds[Index(kind)], POINT{0, 0}, scale,
                                 picture);
    }
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
