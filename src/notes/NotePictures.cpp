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

// Its place is known at 96 DPI, from the two pictures drawn for it; at other
// scales it is cut from there, so it sits on the background without a seam.
const NotePictures::Placed& NotePictures::Alert(EntryKind kind, const DisplayScale& scale)
{
    Placed& alert = m_sets[scale.Dpi()].alert[Index(kind)];
    if (!alert.picture.IsEmpty())
        return alert;
    JpegDecoder decoder;
    if (scale.IsBase()) {
        const int width = Background(kind).Width();
        PLDIBSection picture;
        decoder.DecodeResource(AfxGetResourceHandle(), IDP_ALERT, picture, 32);
        alert.place = RECT{width - picture.Width(), 0, width, picture.Height()};
        alert.picture = std::move(picture);
        return alert;
    }
    const RECT base = Alert(kind).place;
    PLDIBSection picture;
    const RECT place = ScaledArt::DecodePicture(decoder, AfxGetResourceHandle(), IDP_ALERT,
                                                POINT{base.left, base.top}, scale, picture);
    alert.place = place;
    alert.picture = std::move(picture);
    return alert;
}

HRGN NotePictures::Outline(EntryKind kind, const DisplayScale& scale)
{
    GdiRegion& outline = m_sets[scale.Dpi()].outline[Index(kind)];
    if (!outline)
        outline = ScaledArt::LoadRegion(kOutlineIds[Index(kind)], scale);
    return outline.get();
}
