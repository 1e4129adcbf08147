#pragma once

#include "framework/Handles.h"

#include <windows.h>

// A 32-bit top-down DIB section whose pixels tests read back directly: row y of
// width pixels starts at bits + y * width.
inline GdiBitmap CreateTopDownDib(int width, int height, DWORD** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* raw = nullptr;
    GdiBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0));
    *bits = static_cast<DWORD*>(raw);
    return bitmap;
}
