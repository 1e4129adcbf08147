#include "MessagePump.h"

#include <algorithm>

void PumpPendingMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD maxWaitMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpPendingMessages();
        if (done())
            return true;
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= maxWaitMs)
            return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, maxWaitMs - waited), QS_ALLINPUT);
    }
}
