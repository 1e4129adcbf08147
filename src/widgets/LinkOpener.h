#pragma once

#include <windows.h>

#include <string>

// The way a followed link reaches the system: the shell, the browser registered
// for ".htm", a command line, an error box. The system's own is used unless
// another is installed, so tests can follow links without ever starting a
// browser or any other program (under Wine the shell hands web addresses to the
// host's browser).
class LinkOpener {
public:
    virtual ~LinkOpener() = default;

    // ShellExecute "open", maximised: greater than 32 on success.
    virtual INT_PTR ShellOpen(const std::string& file, const std::string& parameters) = 0;
    // ShellExecute "open", normal size: a new mail in the default mail program
    // for a "mailto:" address. Greater than 32 on success.
    virtual INT_PTR OpenMailLink(const std::string& url) = 0;
    // The open command of the browser registered for ".htm"; empty when none is.
    virtual std::string ReadHtmCommand() = 0;
    // WinExec, maximised.
    virtual UINT RunCommandLine(const std::string& commandLine) = 0;
    // Beeps and shows the text in an exclamation box owned by no window, so
    // nothing of the user interface is disabled while it is up.
    virtual void ShowError(const std::string& text) = 0;

    // The one in use: the installed one, else the system's.
    static LinkOpener& Current();
    static LinkOpener& System();
    // Null puts the system's back; returns the one installed before. A link
    // takes the opener in use when it is followed, so an opener must stay alive
    // until every link followed while it was installed has finished with it.
    static LinkOpener* Install(LinkOpener* opener);
};
