#include "framework/ExceptionReport.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace {

std::atomic<ExceptionReporter> g_reporter{nullptr};

}  // namespace

void AfxSetExceptionReporter(ExceptionReporter reporter)
{
    g_reporter = reporter;
}

void AfxReportCaughtException(const char* file, int line)
{
    ExceptionReporter reporter = g_reporter;
    if (reporter) {
        // The reporter may show a message box; it must not throw past the boundary.
        try {
            reporter(file, line);
        } catch (...) {
        }
        return;
    }
    char text[512];
    std::snprintf(text, sizeof(text), "Unhandled exception caught at %s(%d)\n", file, line);
    ::OutputDebugStringA(text);
}
