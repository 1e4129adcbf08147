#pragma once

#include "framework/Handles.h"
#include "image/DisplayScale.h"

#include <windows.h>

// A window's big and small icons (WM_SETICON), loaded at the sizes of the
// window's scale: Windows would otherwise shrink or blow up the one size
// LoadIcon gives.
class WindowIcons {
public:
    // Loads the icon resource at both sizes and hands them to the window; the
    // ones it had before go after it has taken the new ones.
    void Apply(HWND window, int iconId, const DisplayScale& scale);

private:
    IconHandle m_big;
    IconHandle m_small;
};
