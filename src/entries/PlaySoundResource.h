#pragma once

// Starts wave resource id with the system's simple player, asynchronously,
// replacing a sound still playing, but only while the main window's play-sounds
// flag is on. True when the sound was handed to the system.
bool PlaySoundResource(int id);
