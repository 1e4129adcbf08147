#pragma once

class CWaveResourcePlayer;

// Greets the user when the main window comes home: one of the waves 121 to 126,
// never the one of the previous greeting, through player at -7 dB, or through
// the simple player when player cannot load it. Nothing while the play-sounds
// flag is off. Returns the wave played, 0 for none.
int PlayGreeting(CWaveResourcePlayer& player);

// The random choice alone: rand() % 6 + 121, drawn again while it equals last.
int NextGreeting(int last);
