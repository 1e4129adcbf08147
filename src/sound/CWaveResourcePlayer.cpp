#include "sound/CWaveResourcePlayer.h"

#include "sound/WaveParser.h"
#include "framework/AfxFunctions.h"
#include "framework/Resources.h"

#include <mmsystem.h>
#include <dsound.h>

#include <algorithm>
#include <cstring>
#include <vector>

CWaveResourcePlayer::CWaveResourcePlayer() = default;

CWaveResourcePlayer::~CWaveResourcePlayer() = default;

bool CWaveResourcePlayer::LoadWave(int id, HWND window)
{
    const ResourceBytes wave = FindResourceBytes(AfxGetResourceHandle(), id, "WAVE");
    if (!wave)
        return false;

    m_buffer.reset();
    IDirectSound* device = m_device.Open(window);
    if (!device)
        return false;

    m_playable = false;
    WaveChunks chunks;
    if (!ParseWave(wave.data, wave.size, chunks))
        return false;
    std::vector<BYTE> format = WaveFormatBlock(chunks);
    m_data = chunks.data;
    m_dataSize = static_cast<DWORD>(chunks.dataSize);

    DSBUFFERDESC description{};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_STATIC;
    description.dwBufferBytes = m_dataSize;
    description.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(format.data());
    if (FAILED(device->CreateSoundBuffer(&description, m_buffer.put(), nullptr)) || !m_buffer)
        return false;
    if (!Fill())
        return false;
    m_playable = true;
    return true;
}

bool CWaveResourcePlayer::Fill()
{
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstSize = 0;
    DWORD secondSize = 0;
    HRESULT result = m_buffer->Lock(0, m_dataSize, &first, &firstSize, &second, &secondSize, 0);
    if (result == DSERR_BUFFERLOST) {
        m_buffer->Restore();
        result = m_buffer->Lock(0, m_dataSize, &first, &firstSize, &second, &secondSize, 0);
    }
    if (FAILED(result))
        return false;
    const DWORD firstCopy = std::min(firstSize, m_dataSize);
    std::memcpy(first, m_data, firstCopy);
    if (second)
        std::memcpy(second, m_data + firstCopy, std::min(secondSize, m_dataSize - firstCopy));
    m_buffer->Unlock(first, firstSize, second, secondSize);
    return true;
}

bool CWaveResourcePlayer::Ready() const
{
    return m_device.Get() && m_buffer && m_data && m_playable;
}

void CWaveResourcePlayer::SetVolume(long volume)
{
    if (m_device.Get() && m_buffer && m_data)
        m_buffer->SetVolume(volume);
}

void CWaveResourcePlayer::Play(DWORD position, bool loop)
{
    if (!Ready())
        return;
    m_buffer->SetCurrentPosition(std::min(position, m_dataSize));
    const DWORD flags = loop ? DSBPLAY_LOOPING : 0;
    if (m_buffer->Play(0, 0, flags) == DSERR_BUFFERLOST && Fill())
        m_buffer->Play(0, 0, flags);
}
