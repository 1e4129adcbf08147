#include "entries/PlaySoundResource.h"

#include "framework/AfxFunctions.h"
#include "mainwnd/CZorlaDlg.h"

#include <windows.h>
#include <mmsystem.h>

bool PlaySoundResource(int id)
{
    const CZorlaDlg* main = CZorlaDlg::Instance();
    if (!main || !main->m_playSounds)
        return false;
    return ::PlaySoundA(MAKEINTRESOURCEA(id), AfxGetResourceHandle(), SND_RESOURCE | SND_NODEFAULT | SND_ASYNC) !=
           FALSE;
}
