#pragma once

// Everything of the framework layer in one include.
#include "framework/AfxFunctions.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "base/DateTime.h"
#include "base/DateTimeSpan.h"
#include "framework/CWinApp.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"
#include "framework/SystemClock.h"
#include "framework/ExceptionReport.h"
#include "framework/Handles.h"
