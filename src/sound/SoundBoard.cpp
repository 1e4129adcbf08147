#include "sound/SoundBoard.h"

#include "shared/MainSettings.h"
#include "sound/PlaySoundResource.h"

#include <cstdlib>

namespace {

const long kGreetingVolume = -700;

}  // namespace

SoundBoard::SoundBoard(const MainSettings& settings)
    : m_settings(settings)
{}

SoundBoard::~SoundBoard() = default;

bool SoundBoard::IsOn() const
{
    return m_settings.playSounds != 0;
}

bool SoundBoard::PlayResource(int id)
{
    return PlaySoundResource(id, m_settings);
}

bool SoundBoard::PlayWave(int id)
{
    if (!IsOn())
        return false;
    if (!m_player.LoadWave(id, nullptr))
        return PlayResource(id);
    m_player.SetVolume(kGreetingVolume);
    m_player.Play(0, false);
    return true;
}

int SoundBoard::PlayGreeting()
{
    if (!IsOn())
        return 0;
    const int id = NextGreeting(m_lastGreeting);
    m_lastGreeting = id;
    PlayWave(id);
    return id;
}

int SoundBoard::NextGreeting(int last)
{
    int id;
    do
        id = std::rand() % 6 + 121;
    while (id == last);
    return id;
}
