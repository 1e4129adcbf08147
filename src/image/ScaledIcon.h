#pragma once

#include "framework/Handles.h"
#include "image/DisplayScale.h"

#include <windows.h>

// An icon resource at the size Windows shows icons of a kind at a display
// scale: the image drawn for that size when the icon file has one, the
// nearest one resized by the system otherwise.
class ScaledIcon {
public:
    enum Kind { Big, Small };

    // SM_CXICON by SM_CYICON, or the small-icon metrics, at scale.
    static SIZE Size(Kind kind, const DisplayScale& scale);
    // Null when the icon is not there.
    static IconHandle Load(HINSTANCE instance, int id, Kind kind, const DisplayScale& scale);
};
