#pragma once

#include "sound/CWaveResourcePlayer.h"

struct MainSettings;

// Every sound of the program goes through here, and only while the user's
// play-sounds switch is on. Tests derive from it to hear what was played.
class SoundBoard {
public:
    explicit SoundBoard(const MainSettings& settings);
    virtual ~SoundBoard();
    SoundBoard(const SoundBoard&) = delete;
    SoundBoard& operator=(const SoundBoard&) = delete;

    bool IsOn() const;

    // The system's simple player (PlaySoundResource).
    virtual bool PlayResource(int id);
    // Through the DirectSound player at -7 dB; through the simple player when
    // the wave cannot be loaded there (no device, a damaged resource).
    bool PlayWave(int id);
    // The greeting of the home view: one of the waves 121 to 126, never the one
    // of the previous greeting. Returns the wave played, 0 for none.
    int PlayGreeting();
    // The random choice alone: rand() % 6 + 121, drawn again while it equals last.
    static int NextGreeting(int last);

    CWaveResourcePlayer& Player() { return m_player; }

private:
    const MainSettings& m_settings;
    CWaveResourcePlayer m_player;
    int m_lastGreeting = 0;
};
