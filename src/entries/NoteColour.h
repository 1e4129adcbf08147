#pragma once

#include <string>

// The colours a note's paper can take. Stored by name in the "color"
// attribute; yellow, the paper every earlier version showed, is never written.
enum class NoteColour { Yellow, Blue, Green, Pink, Purple, Grey };

constexpr int kNoteColourCount = 6;

struct Rgb {
    unsigned char r, g, b;
};

// The stored name ("blue"); empty for yellow.
const char* NoteColourName(NoteColour colour);
// A name this version does not know (a later version's) shows as yellow.
NoteColour NoteColourFromName(const std::string& name);
// The paper's plain colour, where the art shows no shading.
Rgb NotePaper(NoteColour colour);
// A pixel of the yellow art in the colour: its brightness against the plain
// yellow paper's kept, the hue and saturation the colour's.
Rgb TintPixel(Rgb yellowArt, NoteColour colour);
// WCAG 2 contrast of two colours, 1 to 21.
double ContrastRatio(Rgb a, Rgb b);
