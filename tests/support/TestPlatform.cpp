#include "support/TestPlatform.h"

#include "framework/ProfileSettings.h"
#include "framework/SystemClock.h"
#include "shared/CDataFolder.h"

namespace {

class NoHttp : public HttpFetch {
public:
    bool Send(const Request&, Done) override { return false; }
    void CancelAll() override {}
};

SystemClock g_clock;
ProfileSettings g_settings;
NoHttp g_http;

}  // namespace

namespace TestPlatform {

WindowsFileSystem& Files()
{
    static WindowsFileSystem files;
    return files;
}

AppContext Context(const std::string& folder)
{
    return AppContext{folder, {}, Files(), g_clock, g_settings, &g_http};
}

AppContext Context()
{
    return Context(CDataFolder::Get());
}

}  // namespace TestPlatform
