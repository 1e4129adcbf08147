#pragma once

#include "framework/Handles.h"

#include <windows.h>
#include <wininet.h>

// WinInet handles are closed with InternetCloseHandle, never CloseHandle.
struct InternetHandleTraits {
    using pointer = HINTERNET;
    static bool IsValid(HINTERNET handle) { return handle != nullptr; }
    static void Close(HINTERNET handle) { ::InternetCloseHandle(handle); }
};

using InternetHandle = UniqueHandle<InternetHandleTraits>;
