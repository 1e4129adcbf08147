#pragma once

struct MainSettings;

// Starts wave resource id with the system's simple player, asynchronously,
// replacing a sound still playing, but only while the play-sounds switch is on.
// True when the sound was handed to the system.
bool PlaySoundResource(int id, const MainSettings& settings);
