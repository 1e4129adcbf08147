#include "sound/PlaySoundResource.h"

#include "framework/AfxFunctions.h"
#include "shared/MainSettings.h"

#include <windows.h>
#include <mmsystem.h>

bool PlaySoundResource(int id, const MainSettings& settings)
{
    if (!settings.playSounds)
        return false;
    return ::PlaySoundA(MAKEINTRESOURCEA(id), AfxGetResourceHandle(), SND_RESOURCE | SND_NODEFAULT | SND_ASYNC) !=
           FALSE;
}
