// Where a window stored at a place is shown on a work area that may have moved
// or shrunk since.
#include "notes/MonitorPlace.h"

#include <gtest/gtest.h>

namespace {

// A work area that does not start at the screen's origin, as a second monitor's.
const RECT kWork{100, 50, 1124, 790};

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (::EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << actual.left << "," << actual.top << " - " << actual.right << ","
                                         << actual.bottom;
}

}  // namespace

TEST(MonitorPlaceTest, AWindowStaysWhereEnoughOfItLiesOnTheWorkArea)
{
    const RECT corner{1100, 766, 1293, 984};
    EXPECT_TRUE(SameRect(corner, MonitorPlace::Within(corner, kWork)));
    const RECT tiny{1114, 60, 1124, 70};
    EXPECT_TRUE(SameRect(tiny, MonitorPlace::Within(tiny, kWork))) << "smaller than the minimum, all of it on the area";
}

TEST(MonitorPlaceTest, AWindowTooLittleOnTheWorkAreaMovesInsideAsCloseAsItFits)
{
    // One pixel too narrow a strip on the area: only the left moves.
    EXPECT_TRUE(SameRect(RECT{931, 100, 1124, 318}, MonitorPlace::Within(RECT{1101, 100, 1294, 318}, kWork)));
    EXPECT_TRUE(SameRect(RECT{100, 50, 293, 268}, MonitorPlace::Within(RECT{-500, -400, -307, -182}, kWork)));
    // Larger than the area: its top-left corner at the area's.
    EXPECT_TRUE(SameRect(RECT{100, 50, 1300, 1050}, MonitorPlace::Within(RECT{150, 900, 1350, 1900}, kWork)));
}
