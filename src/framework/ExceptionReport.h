#pragma once

// Window procedures and thread entries catch every exception; this is where they
// hand it on. The application installs its error report here; without one the
// exception is only traced to the debugger.
using ExceptionReporter = void (*)(const char* file, int line);

void AfxSetExceptionReporter(ExceptionReporter reporter);

// Called from inside a catch block, with the place that caught.
void AfxReportCaughtException(const char* file, int line);
