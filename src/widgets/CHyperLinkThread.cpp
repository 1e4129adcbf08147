#include "widgets/CHyperLinkThread.h"

#include "widgets/LinkOpener.h"

#include <utility>

namespace {

// CreateProcess, behind WinExec, takes at most 32767 characters including the
// terminating null. A longer line is not cut (that would open some other
// address): the fallback is skipped and the shell's error is reported.
constexpr size_t kMaxCommandLine = 32766;

bool Failed(INT_PTR result)
{
    return result <= 32;
}

}  // namespace

CHyperLinkThread::CHyperLinkThread(std::string target, std::string program, LinkOpener& opener)
    : m_target(std::move(target))
    , m_program(std::move(program))
    , m_opener(opener)
{}

bool CHyperLinkThread::Start(const std::string& target, const std::string& program)
{
    auto* thread = new CHyperLinkThread(target, program, LinkOpener::Current());
    if (!thread->CreateThread(CREATE_SUSPENDED)) {
        delete thread;
        return false;
    }
    thread->SetThreadPriority(THREAD_PRIORITY_NORMAL);
    thread->ResumeThread();
    return true;
}

BOOL CHyperLinkThread::InitInstance()
{
    Open(m_target, m_program, m_opener);
    return FALSE;
}

void CHyperLinkThread::Open(const std::string& target, const std::string& program, LinkOpener& opener)
{
    INT_PTR result = program.empty() ? opener.ShellOpen(target, std::string()) : opener.ShellOpen(program, target);
    if (Failed(result)) {
        const std::string registered = opener.ReadHtmCommand();
        if (!registered.empty()) {
            const std::string commandLine = FallbackCommandLine(registered, target);
            if (!commandLine.empty())
                result = opener.RunCommandLine(commandLine);
        }
    }
    if (Failed(result))
        opener.ShowError(ErrorText(result));
}

std::string CHyperLinkThread::FallbackCommandLine(const std::string& registered, const std::string& target)
{
    size_t cut = registered.find("\"%1\"");
    if (cut == std::string::npos)
        cut = registered.find("%1");
    std::string commandLine = registered.substr(0, cut);
    commandLine += ' ';
    commandLine += target;
    if (commandLine.size() > kMaxCommandLine)
        return std::string();
    return commandLine;
}

std::string CHyperLinkThread::ErrorText(INT_PTR code)
{
    // The codes ShellExecute and WinExec share (SE_ERR_*, ERROR_BAD_FORMAT).
    static const struct {
        INT_PTR code;
        const char* text;
    } meanings[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    std::string text = "Can't open link:\n\n";
    for (const auto& meaning : meanings) {
        if (meaning.code == code)
            return text + meaning.text;
    }
    return text + "Unknown Error (" + std::to_string(code) + ") occurred.";
}
