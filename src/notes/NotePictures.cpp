#include "notes/NotePictures.h"

#include "framework/AfxFunctions.h"
#include "image/JpegDecoder.h"
#include "image/RegionResource.h"
#include "resource.h"

const PLDIBSection& NotePictures::Background(EntryKind kind)
{
    return kind == EntryKind::Note ? Decoded(m_note, IDP_NOTE) : Decoded(m_reminder, IDP_REMINDER);
}

const PLDIBSection& NotePictures::Alert()
{
    return Decoded(m_alert, IDP_ALERT);
}

HRGN NotePictures::Outline(EntryKind kind)
{
    GdiRegion& outline = kind == EntryKind::Note ? m_noteOutline : m_reminderOutline;
    if (!outline)
        outline = LoadRegionResource(kind == EntryKind::Note ? IDR_REGION_NOTE : IDR_REGION_REMINDER);
    return outline.get();
}

const PLDIBSection& NotePictures::Decoded(PLDIBSection& picture, int id)
{
    if (picture.IsEmpty())
        JpegDecoder().DecodeResource(AfxGetResourceHandle(), id, picture);
    return picture;
}
