#include "sound/SoundDevice.h"

#include "framework/AfxFunctions.h"
#include "framework/CWnd.h"
#include "framework/ComPtr.h"

#include <mmsystem.h>
#include <dsound.h>

#include <utility>

namespace {

struct SharedDevice {
    ComPtr<IDirectSound> device;
    int handles = 0;
};

SharedDevice& Shared()
{
    static SharedDevice shared;
    return shared;
}

}  // namespace

SoundDevice::SoundDevice()
{
    ++Shared().handles;
}

SoundDevice::~SoundDevice()
{
    SharedDevice& shared = Shared();
    if (--shared.handles == 0)
        shared.device.reset();
}

IDirectSound* SoundDevice::Open(HWND window)
{
    SharedDevice& shared = Shared();
    if (shared.device)
        return shared.device.get();
    ComPtr<IDirectSound> device;
    if (FAILED(::DirectSoundCreate(nullptr, device.put(), nullptr)) || !device)
        return nullptr;
    if (!window && AfxGetMainWnd())
        window = AfxGetMainWnd()->GetSafeHwnd();
    // DirectSound wants a top-level window to follow the focus of; a player
    // used before the main window exists takes the desktop.
    device->SetCooperativeLevel(window ? window : ::GetDesktopWindow(), DSSCL_NORMAL);
    shared.device = std::move(device);
    return shared.device.get();
}

IDirectSound* SoundDevice::Get() const
{
    return Shared().device.get();
}

bool SoundDevice::IsOpen()
{
    return static_cast<bool>(Shared().device);
}
