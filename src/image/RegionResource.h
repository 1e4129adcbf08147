#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <cstddef>

// Gives window the outline stored in region resource id (RT_RCDATA holding an
// RGNDATA block). On failure the user is told which step failed, the window
// keeps its shape and the result is false. Without redraw the caller repaints.
bool ApplyRegionResource(int id, HWND window, bool redraw = true);

// The same for region bytes already in memory.
bool ApplyRegionData(const void* data, size_t size, HWND window, bool redraw = true);

// The outline stored in region resource id as a region of the caller's; null,
// the user told which step failed, when there is none.
GdiRegion LoadRegionResource(int id);

// Gives window a copy of region, which stays the caller's: many windows of one
// outline need the resource read only once.
bool ApplyRegionCopy(HRGN region, HWND window, bool redraw = true);

// True when data holds a rectangle region whose rectangles all lie inside size:
// ExtCreateRegion trusts the count in the header and would read past the end.
bool IsValidRegionData(const void* data, size_t size);
