// The Simple MAPI test double: built as MAPI32.DLL beside the test executables
// and loaded in place of the system's (WINEDLLOVERRIDES "mapi32=n,b"), so no test
// ever reaches a real mail client. What it does is told through the
// environment of the process that loads it, read at each call:
//   ZORLA_MAPI_RECORD      file that each MAPISendMail call is appended to
//   ZORLA_MAPI_RESULT      the result MAPISendMail returns (default 0)
//   ZORLA_MAPI_HOLD_EVENT  name of an event MAPISendMail waits for (at most a minute)
//   ZORLA_MAPI_HOLD_MS     milliseconds MAPISendMail waits (the demo's picture)
//   ZORLA_MAPI_REFUSE_LOAD "1": the library refuses to load, as a broken
//                          installation would
// One call is recorded as lines "key=value", the first being "call=1";
// texts are escaped (\\, \r, \n) and a missing text reads <null>.
#include <windows.h>

#include <mapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Environment(const char* name)
{
    char value[1024] = "";
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string Escaped(const char* text)
{
    if (!text)
        return "<null>";
    std::string escaped;
    for (const char* c = text; *c; ++c) {
        switch (*c) {
        case '\\': escaped += "\\\\"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: escaped += *c; break;
        }
    }
    return escaped;
}

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

std::string Recipient(const MapiRecipDesc& recipient)
{
    return Number(recipient.ulRecipClass) + "|" + Escaped(recipient.lpszName) + "|" + Escaped(recipient.lpszAddress);
}

// What the caller's window and thread look like while the mail client would run.
std::string Surroundings(ULONG_PTR uiParam)
{
    const HWND owner = reinterpret_cast<HWND>(uiParam);
    std::string lines = "owner=" + Number(static_cast<unsigned long long>(uiParam)) + "\n";
    if (owner && IsWindow(owner)) {
        lines += "owner-enabled=" + Number(IsWindowEnabled(owner) ? 1 : 0) + "\n";
        const bool topMost = (GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        lines += "owner-topmost=" + Number(topMost ? 1 : 0) + "\n";
    }
    lines += std::string("cursor=") + (GetCursor() == LoadCursorA(nullptr, IDC_WAIT) ? "wait" : "other") + "\n";
    return lines;
}

std::string Describe(ULONG_PTR uiParam, const MapiMessage& message, FLAGS flags, LHANDLE session, ULONG reserved)
{
    std::string lines = "call=1\n";
    lines += "session=" + Number(session) + "\n";
    lines += "flags=" + Number(flags) + "\n";
    lines += "reserved=" + Number(reserved) + "\n";
    lines += Surroundings(uiParam);
    lines += "subject=" + Escaped(message.lpszSubject) + "\n";
    lines += "note=" + Escaped(message.lpszNoteText) + "\n";
    lines += "message-flags=" + Number(message.flFlags) + "\n";
    lines += "originator=" + (message.lpOriginator ? Recipient(*message.lpOriginator) : std::string("<null>")) + "\n";
    for (ULONG i = 0; i < message.nRecipCount && message.lpRecips; ++i)
        lines += "recipient=" + Recipient(message.lpRecips[i]) + "\n";
    for (ULONG i = 0; i < message.nFileCount && message.lpFiles; ++i) {
        const MapiFileDesc& file = message.lpFiles[i];
        lines += "file=" + Escaped(file.lpszPathName) + "|" + Escaped(file.lpszFileName) + "|" +
                 Number(file.nPosition) + "|" + Number(file.flFlags) + "\n";
    }
    return lines;
}

void Append(const std::string& path, const std::string& lines)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(file);
}

void Hold()
{
    const std::string event = Environment("ZORLA_MAPI_HOLD_EVENT");
    if (!event.empty()) {
        if (HANDLE handle = OpenEventA(SYNCHRONIZE, FALSE, event.c_str())) {
            WaitForSingleObject(handle, 60000);
            CloseHandle(handle);
        }
    }
    const std::string ms = Environment("ZORLA_MAPI_HOLD_MS");
    if (!ms.empty())
        Sleep(static_cast<DWORD>(std::strtoul(ms.c_str(), nullptr, 10)));
}

}  // namespace

extern "C" ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
                                     ULONG reserved)
{
    const std::string record = Environment("ZORLA_MAPI_RECORD");
    if (!record.empty() && message)
        Append(record, Describe(uiParam, *message, flags, session, reserved));
    Hold();
    const std::string result = Environment("ZORLA_MAPI_RESULT");
    return result.empty() ? SUCCESS_SUCCESS : static_cast<ULONG>(std::strtoul(result.c_str(), nullptr, 10));
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH && Environment("ZORLA_MAPI_REFUSE_LOAD") == "1")
        return FALSE;
    return TRUE;
}
