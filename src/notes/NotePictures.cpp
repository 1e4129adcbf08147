#include "notes/NotePictures.h"

#include "framework/AfxFunctions.h"
#include "image/PLAnyPicDecoder.h"
#include "image/RegionResource.h"
#include "resource.h"

const PLDIBSection& NotePictures::Background(int kind)
{
    return kind == 2 ? Decoded(m_note, IDP_NOTE) : Decoded(m_reminder, IDP_REMINDER);
}

const PLDIBSection& NotePictures::Alert()
{
    return Decoded(m_alert, IDP_ALERT);
}

HRGN NotePictures::Outline(int kind)
{
    GdiRegion& outline = kind == 2 ? m_noteOutline : m_reminderOutline;
    if (!outline)
        outline = LoadRegionResource(kind == 2 ? IDR_REGION_NOTE : IDR_REGION_REMINDER);
    return outline.get();
}

const PLDIBSection& NotePictures::Decoded(PLDIBSection& picture, int id)
{
    if (picture.IsEmpty())
        PLAnyPicDecoder().DecodeResource(AfxGetResourceHandle(), id, picture);
    return picture;
}
