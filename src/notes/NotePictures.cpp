#include "notes/NotePictures.h"

#include "framework/AfxFunctions.h"
#include "image/PLAnyPicDecoder.h"
#include "resource.h"

const PLDIBSection& NotePictures::Background(int kind)
{
    return kind == 2 ? Decoded(m_note, IDP_NOTE) : Decoded(m_reminder, IDP_REMINDER);
}

const PLDIBSection& NotePictures::Alert()
{
    return Decoded(m_alert, IDP_ALERT);
}

const PLDIBSection& NotePictures::Decoded(PLDIBSection& picture, int id)
{
    if (picture.IsEmpty())
        PLAnyPicDecoder().DecodeResource(AfxGetResourceHandle(), id, picture);
    return picture;
}
