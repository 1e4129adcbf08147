#pragma once

#include "sound/SoundBoard.h"

#include <vector>

// A sound board that notes what the simple player would play instead of
// playing it.
class HeardSounds : public SoundBoard {
public:
    using SoundBoard::SoundBoard;

    bool PlayResource(int id) override
    {
        if (!IsOn())
            return false;
        played.push_back(id);
        return true;
    }

    std::vector<int> played;
};
