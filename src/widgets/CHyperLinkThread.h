#pragma once

#include "framework/CWinThread.h"

#include <string>

class LinkOpener;

// Opens one link on a short-lived thread of its own and deletes itself: the
// shell first, then the browser registered for ".htm", else an error box. It
// keeps copies of its strings and shares nothing with the user interface.
class CHyperLinkThread : public CWinThread {
public:
    // A program, when given, opens the target as its parameter. The opener is
    // the one in use now, on the user interface's thread.
    CHyperLinkThread(std::string target, std::string program, LinkOpener& opener);

    // Starts a thread for the target; false when no thread could be made.
    static bool Start(const std::string& target, const std::string& program = std::string());

    // The work of one thread, through the given opener.
    static void Open(const std::string& target, const std::string& program, LinkOpener& opener);

    // The registered browser's command with the target in place of its "%1"
    // placeholder and what follows it; empty when that would pass the longest
    // command line Windows starts.
    static std::string FallbackCommandLine(const std::string& registered, const std::string& target);
    // "Can't open link:", an empty line and what the code of ShellExecute or
    // WinExec means. English only: the box is not translated.
    static std::string ErrorText(INT_PTR code);

    BOOL InitInstance() override;

private:
    std::string m_target;
    std::string m_program;
    LinkOpener& m_opener;
};
