#pragma once

#include "image/DisplayScale.h"

#include <windows.h>

// A place as MoveWindow takes it (left, top, width, height), drawn for 96 DPI,
// at scale.
RECT ScaledPlace(const RECT& place, const DisplayScale& scale);
