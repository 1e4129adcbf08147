#pragma once

#include <windows.h>

#include <functional>

// Dispatches this thread's messages until done() is true, waiting for new
// messages in between. Gives up after about maxWaitMs; returns done().
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD maxWaitMs = 5000);

// Dispatches what is queued now, without waiting.
void PumpPendingMessages();
