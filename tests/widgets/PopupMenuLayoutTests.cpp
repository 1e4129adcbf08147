#include "widgets/PopupMenuLayout.h"

#include <gtest/gtest.h>

namespace {

PopupMenuItem Item(const char* text, DWORD flags = 0, UINT id = 1)
{
    PopupMenuItem item;
    item.text = text;
    item.flags = flags;
    item.commandId = id;
    return item;
}

// Ten pixels a character; bold text twice as wide, so a wrong font shows.
int FakeWidth(const PopupMenuItem& item)
{
    const int width = static_cast<int>(item.text.size()) * 10;
    return item.Is(MIF_BOLD) ? 2 * width : width;
}

std::vector<PopupMenuItem> LaidOut(std::vector<PopupMenuItem> items)
{
    LayoutPopupMenu(items, FakeWidth);
    return items;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PopupMenuLayout, StacksItemsAndSeparatorsBelowAThreePixelMargin)
{
    std::vector<PopupMenuItem> none;
    const SIZE empty = LayoutPopupMenu(none, FakeWidth);
    EXPECT_EQ(empty.cx, 42);
    EXPECT_EQ(empty.cy, 5);

    std::vector<PopupMenuItem> items{Item("&About"), Item("", MIF_SEPARATOR, 0), Item("Exit", MIF_BOLD)};
    const SIZE size = LayoutPopupMenu(items, FakeWidth);
    EXPECT_EQ(items[0].top, 3);
    EXPECT_EQ(items[0].height, 17);
    EXPECT_EQ(items[1].top, 20);
    EXPECT_EQ(items[1].height, 5);
    EXPECT_EQ(items[2].top, 25);
    EXPECT_EQ(size.cy, 25 + 17 + 2);
    // The bold "Exit" (80) is wider than "&About" (60), whose '&' is measured too.
    EXPECT_EQ(size.cx, 80 + 42);
}

TEST(PopupMenuLayout, SeparatorTextDoesNotWidenTheMenu)
{
    std::vector<PopupMenuItem> items{Item("ab"), Item("a very long text", MIF_SEPARATOR, 0)};
    EXPECT_EQ(LayoutPopupMenu(items, FakeWidth).cx, 20 + 42);
}

TEST(PopupMenuPlacement, StaysWhereItFitsAndShiftsBackFromTheRightAndBottomEdges)
{
    const RECT work{0, 0, 1024, 738};
    const RECT fits{100, 100, 250, 300};
    EXPECT_TRUE(SameRect(FitMenuRect(fits, work, POINT{0, 0}), fits));

    const RECT corner{1000, 700, 1150, 900};
    EXPECT_TRUE(SameRect(FitMenuRect(corner, work, POINT{0, 0}), RECT{874, 538, 1024, 738}));

    const RECT tooBig{500, 500, 1600, 1500};
    EXPECT_TRUE(SameRect(FitMenuRect(tooBig, work, POINT{0, 0}), RECT{0, 0, 1100, 1000}));
}

TEST(PopupMenuPlacement, LeftAndTopEdgesOfTheAreaNeverMoveTheMenu)
{
    const RECT workBesideLeftTaskbar{60, 30, 1024, 768};
    const RECT nearOrigin{10, 5, 110, 105};
    EXPECT_TRUE(SameRect(FitMenuRect(nearOrigin, workBesideLeftTaskbar, POINT{0, 0}), nearOrigin));
}

TEST(PopupMenuPlacement, OnAMonitorLeftOfThePrimaryStaysInsideThatMonitor)
{
    const RECT monitor{-1280, 0, 0, 1024};
    const POINT origin{monitor.left, monitor.top};
    EXPECT_TRUE(SameRect(FitMenuRect(RECT{-50, 1000, 100, 1200}, monitor, origin), RECT{-150, 824, 0, 1024}));
    EXPECT_TRUE(SameRect(FitMenuRect(RECT{-1000, 0, 500, 2000}, monitor, origin), RECT{-1280, 0, 220, 2000}));
}

TEST(PopupMenuHitTest, FramesAreOutsideAndInactiveItemsAreNeverHit)
{
    const std::vector<PopupMenuItem> items =
        LaidOut({Item("One"), Item("", MIF_SEPARATOR, 0), Item("Off", MIF_INACTIVE), Item("Grey", MIF_GRAYED)});
    const SIZE client{72, 3 + 17 + 5 + 17 + 17 + 2};

    EXPECT_TRUE(IsOutsideMenu(POINT{2, 10}, client));
    EXPECT_TRUE(IsOutsideMenu(POINT{10, 2}, client));
    EXPECT_TRUE(IsOutsideMenu(POINT{-5, 10}, client));
    EXPECT_TRUE(IsOutsideMenu(POINT{73, 10}, client));
    EXPECT_FALSE(IsOutsideMenu(POINT{3, 3}, client));

    EXPECT_EQ(HitTestMenu(items, POINT{10, 10}, client), 0);
    EXPECT_EQ(HitTestMenu(items, POINT{10, 22}, client), 1);
    EXPECT_EQ(HitTestMenu(items, POINT{10, 30}, client), -1);
    EXPECT_EQ(HitTestMenu(items, POINT{10, 50}, client), 3);
    EXPECT_EQ(HitTestMenu(items, POINT{2, 10}, client), -1);
    // Item edges belong to neither neighbour.
    EXPECT_EQ(HitTestMenu(items, POINT{10, 20}, client), -1);
}

TEST(PopupMenuKeys, MnemonicIgnoresCaseAndSkipsGreyInactiveAndSeparators)
{
    const std::vector<PopupMenuItem> items = {Item("&Grey", MIF_GRAYED),
                                              Item("&Off", MIF_INACTIVE),
                                              Item("&Sep", MIF_SEPARATOR),
                                              Item("E&xit"),
                                              Item("&Open"),
                                              Item("&Other"),
                                              Item("No mark"),
                                              Item("Trailing&")};
    EXPECT_EQ(FindMnemonicItem(items, 'x'), 3);
    EXPECT_EQ(FindMnemonicItem(items, 'X'), 3);
    EXPECT_EQ(FindMnemonicItem(items, 'o'), 4);
    EXPECT_EQ(FindMnemonicItem(items, 'g'), -1);
    EXPECT_EQ(FindMnemonicItem(items, 's'), -1);
    EXPECT_EQ(FindMnemonicItem(items, 'n'), -1);
    EXPECT_EQ(FindMnemonicItem(items, 'q'), -1);
    // Letters beyond ASCII lower-case too: "&Übersicht" by 'ü'.
    const std::vector<PopupMenuItem> german = {Item("&Übersicht")};
    EXPECT_EQ(FindMnemonicItem(german, L'ü'), 0);
    EXPECT_EQ(FindMnemonicItem({Item("&Łódź")}, L'ł'), 0) << "beyond code page 1252";
}

TEST(PopupMenuKeys, ArrowsSkipSeparatorsAndInactiveItemsAndWrapRound)
{
    const std::vector<PopupMenuItem> items = {Item("One"), Item("", MIF_SEPARATOR, 0), Item("Off", MIF_INACTIVE),
                                              Item("Grey", MIF_GRAYED), Item("Last")};
    EXPECT_EQ(NextSelectableItem(items, -1, +1), 0);
    EXPECT_EQ(NextSelectableItem(items, 0, +1), 3);
    EXPECT_EQ(NextSelectableItem(items, 4, +1), 0);
    EXPECT_EQ(NextSelectableItem(items, -1, -1), 4);
    EXPECT_EQ(NextSelectableItem(items, 3, -1), 0);
    EXPECT_EQ(NextSelectableItem(items, 0, -1), 4);

    const std::vector<PopupMenuItem> nothing = {Item("", MIF_SEPARATOR, 0), Item("Off", MIF_INACTIVE)};
    EXPECT_EQ(NextSelectableItem(nothing, -1, +1), -1);
    EXPECT_EQ(NextSelectableItem({}, -1, +1), -1);
}

}  // namespace
