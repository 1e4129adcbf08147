#pragma once

#include "framework/ComPtr.h"
#include "sound/SoundDevice.h"

#include <windows.h>

struct IDirectSoundBuffer;

// Plays one "WAVE" resource at a time through DirectSound, with volume control.
// All players share one DirectSound device (SoundDevice), created by the first
// load and released with the last player.
class CWaveResourcePlayer {
public:
    CWaveResourcePlayer();
    ~CWaveResourcePlayer();
    CWaveResourcePlayer(const CWaveResourcePlayer&) = delete;
    CWaveResourcePlayer& operator=(const CWaveResourcePlayer&) = delete;

    // Loads resource id into a new sound buffer; window is the one DirectSound
    // follows for focus (null: the application's main window). False when the
    // resource is missing or damaged or there is no sound device.
    bool LoadWave(int id, HWND window = nullptr);
    // Hundredths of a decibel, 0 = full volume.
    void SetVolume(long volume);
    // Starts at byte position (at most the data size), once or looping.
    void Play(DWORD position, bool loop);

    bool IsPlayable() const { return m_playable; }
    bool HasBuffer() const { return static_cast<bool>(m_buffer); }

private:
    bool Ready() const;
    bool Fill();

    // Declared first so it goes last: a buffer is released before its device.
    SoundDevice m_device;
    ComPtr<IDirectSoundBuffer> m_buffer;
    const BYTE* m_data = nullptr;
    DWORD m_dataSize = 0;
    bool m_playable = true;
};
