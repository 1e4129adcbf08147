#include "entries/NoteColour.h"

#include <algorithm>
#include <cmath>

namespace {

struct Named {
    const char* name;
    Rgb paper;
};

// Yellow is the art's own paper; all light enough that the notes' text keeps
// 4.5:1 against each.
const Named kColours[kNoteColourCount] = {
    {"", {254, 244, 175}},        {"blue", {196, 226, 250}},   {"green", {204, 239, 190}},
    {"pink", {255, 208, 226}},    {"purple", {228, 212, 250}}, {"grey", {226, 226, 226}},
};

// Brightness as the eye weighs it, in the pixels' own (gamma) values: cheap
// enough for every pixel of the art.
int Brightness(Rgb c)
{
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

unsigned char Scaled(unsigned char channel, int brightness, int reference)
{
    return static_cast<unsigned char>(std::min(255, channel * brightness / std::max(1, reference)));
}

double Linear(unsigned char channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c)
{
    return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

}  // namespace

const char* NoteColourName(NoteColour colour)
{
    return kColours[static_cast<int>(colour)].name;
}

NoteColour NoteColourFromName(const std::string& name)
{
    for (int i = 1; i < kNoteColourCount; ++i)
        if (name == kColours[i].name)
            return static_cast<NoteColour>(i);
    return NoteColour::Yellow;
}

Rgb NotePaper(NoteColour colour)
{
    return kColours[static_cast<int>(colour)].paper;
}

Rgb TintPixel(Rgb yellowArt, NoteColour colour)
{
    if (colour == NoteColour::Yellow)
        return yellowArt;
    const Rgb paper = NotePaper(colour);
    const int brightness = Brightness(yellowArt);
    const int reference = Brightness(NotePaper(NoteColour::Yellow));
    return Rgb{Scaled(paper.r, brightness, reference), Scaled(paper.g, brightness, reference),
               Scaled(paper.b, brightness, reference)};
}

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
