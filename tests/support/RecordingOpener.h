#pragma once

#include "widgets/LinkOpener.h"

#include "support/MessagePump.h"

#include <mutex>
#include <string>
#include <vector>

// An opener that starts nothing: it answers from its fields and keeps each call
// as one line: "shell FILE|PARAMETERS", "mail URL", "htm", "run COMMAND LINE",
// "error TEXT".
// With showBoxes the error goes to the system's real box.
class RecordingOpener : public LinkOpener {
public:
    INT_PTR shellResult = 2;
    std::string htmCommand;
    UINT runResult = 2;
    bool showBoxes = false;

    INT_PTR ShellOpen(const std::string& file, const std::string& parameters) override
    {
        const INT_PTR result = shellResult;
        Record("shell " + file + "|" + parameters);
        return result;
    }
    INT_PTR OpenMailLink(const std::string& url) override
    {
        const INT_PTR result = shellResult;
        Record("mail " + url);
        return result;
    }
    std::string ReadHtmCommand() override
    {
        std::string command = htmCommand;
        Record("htm");
        return command;
    }
    UINT RunCommandLine(const std::string& commandLine) override
    {
        const UINT result = runResult;
        Record("run " + commandLine);
        return result;
    }
    void ShowError(const std::string& text) override
    {
        if (showBoxes)
            LinkOpener::System().ShowError(text);
        Record("error " + text);
    }

    std::vector<std::string> Calls() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_calls;
    }
    // Keeps this thread's windows answering while a link's thread works.
    bool WaitForCalls(size_t count) const
    {
        return PumpMessagesUntil([&] { return Calls().size() >= count; }, 10000);
    }

private:
    void Record(std::string call)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(std::move(call));
    }

    mutable std::mutex m_lock;
    std::vector<std::string> m_calls;
};

// Links followed meanwhile use the opener; the system's one comes back after.
class InstalledOpener {
public:
    explicit InstalledOpener(LinkOpener& opener)
        : m_previous(LinkOpener::Install(&opener))
    {}
    ~InstalledOpener() { LinkOpener::Install(m_previous); }
    InstalledOpener(const InstalledOpener&) = delete;
    InstalledOpener& operator=(const InstalledOpener&) = delete;

private:
    LinkOpener* m_previous;
};
