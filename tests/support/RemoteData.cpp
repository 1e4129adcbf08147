#include "support/RemoteData.h"

bool SendWithRemoteData(HWND window, UINT message, WPARAM wParam, void* data, SIZE_T size, LRESULT* result)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return false;
    bool done = false;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote && WriteProcessMemory(process, remote, data, size, nullptr)) {
        DWORD_PTR answer = 0;
        done = SendMessageTimeoutA(window, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 60000,
                                   &answer) != 0 &&
               ReadProcessMemory(process, remote, data, size, nullptr);
        if (result)
            *result = static_cast<LRESULT>(answer);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return done;
}
