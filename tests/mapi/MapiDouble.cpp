// The Simple MAPI test double: built as MAPI32.DLL beside the test executables
// and loaded in place of the system's (WINEDLLOVERRIDES "mapi32=n,b"), so no test
// ever reaches a real mail client. What it does is told through the
// environment of the process that loads it, read at each call:
//   ZORLA_MAPI_RECORD      file that each send call is appended to
//   ZORLA_MAPI_RESULT      the result the send call returns (default 0)
//   ZORLA_MAPI_HOLD_EVENT  name of an event the send call waits for (at most a minute)
//   ZORLA_MAPI_HOLD_MS     milliseconds the send call waits (the demo's picture)
//   ZORLA_MAPI_REFUSE_LOAD "1": the library refuses to load, as a broken
//                          installation would
// MAPI32.DLL exports MAPISendMailW and MAPISendMail; MAPIANSI.DLL, built from
// the same source, only MAPISendMail, as older mail systems do.
// One call is recorded as lines "key=value", the first being "call=" and the
// function's name; texts are escaped (\\, \r, \n), wide texts written as UTF-8
// and a missing text reads <null>.
#include "mail/MapiWide.h"

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

std::string Escaped(const wchar_t* text)
{
    if (!text)
        return "<null>";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    return Escaped(utf8.c_str());
}

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

template <class RecipientDesc>
std::string Recipient(const RecipientDesc& recipient)
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

template <class Message>
std::string Describe(const char* function, ULONG_PTR uiParam, const Message& message, FLAGS flags, LHANDLE session,
                     ULONG reserved)
{
    std::string lines = std::string("call=") + function + "\n";
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
        const auto& file = message.lpFiles[i];
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

template <class Message>
ULONG Send(const char* function, LHANDLE session, ULONG_PTR uiParam, const Message* message, FLAGS flags,
           ULONG reserved)
{
    const std::string record = Environment("ZORLA_MAPI_RECORD");
    if (!record.empty() && message)
        Append(record, Describe(function, uiParam, *message, flags, session, reserved));
    Hold();
    const std::string result = Environment("ZORLA_MAPI_RESULT");
    return result.empty() ? SUCCESS_SUCCESS : static_cast<ULONG>(std::strtoul(result.c_str(), nullptr, 10));
}

}  // namespace

extern "C" ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
                                     ULONG reserved)
{
    return Send("MAPISendMail", session, uiParam, message, flags, reserved);
}

extern "C" ULONG WINAPI MAPISendMailW(LHANDLE session, ULONG_PTR uiParam, lpMapiMessageW message, FLAGS flags,
                                      ULONG reserved)
{
    return Send("MAPISendMailW", session, uiParam, message, flags, reserved);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH && Environment("ZORLA_MAPI_REFUSE_LOAD") == "1")
        return FALSE;
    return TRUE;
}
