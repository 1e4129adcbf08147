#include "entries/NoteColour.h"
#include "entries/CEntry.h"

#include <gtest/gtest.h>

// Every paper, plain or at its shading's brightest and darkest paper pixel,
// keeps the notes' text readable; and a tinted paper is that colour's paper.
TEST(NoteColour, EveryPaperKeepsTheTextReadable)
{
    const Rgb text{0, 101, 136};  // the notes' text, NoteControls::kTextColor
    const Rgb yellow = NotePaper(NoteColour::Yellow);
    for (int i = 0; i < kNoteColourCount; ++i) {
        const NoteColour colour = static_cast<NoteColour>(i);
        SCOPED_TRACE(i);
        EXPECT_GE(ContrastRatio(text, NotePaper(colour)), 4.5);
        const Rgb tinted = TintPixel(yellow, colour);
        EXPECT_EQ(tinted.r, NotePaper(colour).r);
        EXPECT_EQ(tinted.g, NotePaper(colour).g);
        EXPECT_EQ(tinted.b, NotePaper(colour).b);
        EXPECT_EQ(NoteColourFromName(NoteColourName(colour)), colour);
    }
    // A darker pixel of the art stays darker in every colour.
    const Rgb shade = TintPixel(Rgb{128, 120, 80}, NoteColour::Blue);
    EXPECT_LT(shade.b, NotePaper(NoteColour::Blue).b);
    EXPECT_GT(shade.b, shade.r) << "blue, not yellow";
}
