#include "framework/CWinApp.h"
#include "widgets/LinkOpener.h"

#include <cstdio>

#include <gtest/gtest.h>

// Every test executable is an application of its own: its settings live under
// its own name, and framework calls find an application object.
CWinApp testApp;

namespace {

// Under Wine the shell hands web addresses to the machine's browser: a link a
// test follows without an opener of its own is named here and opens nothing.
class NoBrowser : public LinkOpener {
public:
    INT_PTR ShellOpen(const std::string& file, const std::string&) override
    {
        std::fprintf(stderr, "a test followed a link without an opener: %s\n", file.c_str());
        return 42;
    }
    INT_PTR OpenMailLink(const std::string& url) override
    {
        std::fprintf(stderr, "a test opened a mail link without an opener: %s\n", url.c_str());
        return 42;
    }
    std::string ReadHtmCommand() override { return std::string(); }
    UINT RunCommandLine(const std::string&) override { return 2; }
    void ShowError(const std::string&) override {}
};

NoBrowser noBrowser;

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    LinkOpener::Install(&noBrowser);
    return RUN_ALL_TESTS();
}
