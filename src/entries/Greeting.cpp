#include "entries/Greeting.h"

#include "entries/CWaveResourcePlayer.h"
#include "entries/PlaySoundResource.h"
#include "mainwnd/CZorlaDlg.h"

#include <cstdlib>

namespace {

int g_lastGreeting = 0;

}  // namespace

int NextGreeting(int last)
{
    int id;
    do
        id = std::rand() % 6 + 121;
    while (id == last);
    return id;
}

int PlayGreeting(CWaveResourcePlayer& player)
{
    const CZorlaDlg* main = CZorlaDlg::Instance();
    if (!main || !main->m_playSounds)
        return 0;
    const int id = NextGreeting(g_lastGreeting);
    g_lastGreeting = id;
    if (!player.LoadWave(id, nullptr)) {
        PlaySoundResource(id);
    } else {
        player.SetVolume(-700);
        player.Play(0, false);
    }
    return id;
}
