#pragma once

#include <windows.h>

struct IDirectSound;

// A counted handle to the one DirectSound device that all wave players share:
// the first Open makes the device, the last handle to go releases it. Each
// player holds one handle, so the device lives exactly as long as players do.
class SoundDevice {
public:
    SoundDevice();
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // The device, made now if there is none, following window for focus (null:
    // the application's main window). Null when the system has no sound device.
    IDirectSound* Open(HWND window);
    // The device, or null before the first successful Open.
    IDirectSound* Get() const;

    // Whether a device exists now.
    static bool IsOpen();
};
