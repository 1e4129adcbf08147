#pragma once

#include "image/DisplayScale.h"
#include "widgets/PopupMenuItem.h"

#include <windows.h>

#include <functional>
#include <vector>

// The arithmetic of the popup menu, apart from its window: rectangles and
// points in, rectangles and indexes out. Sizes are given at 96 DPI; a menu on a
// monitor of another scale has them scaled edge by edge.

const int kMenuItemHeight = 17;
const int kMenuSeparatorHeight = 5;
// Room for the image column on the left and the frame and margin on the right.
const int kMenuWidthExtra = 42;

// Stacks the items from y = 3 and sets their top and height, at scale. textWidth
// measures an item's raw text (ampersands included) in the font the item is drawn
// with, at scale. Returns the size of the menu window.
SIZE LayoutPopupMenu(std::vector<PopupMenuItem>& items, const std::function<int(const PopupMenuItem&)>& textWidth,
                     const DisplayScale& scale = DisplayScale());

// Moves a menu rectangle, keeping its size, so that it does not pass the right
// or bottom edge of area; it is never moved left of lowest.x or above lowest.y.
RECT FitMenuRect(const RECT& menu, const RECT& area, POINT lowest);

// Presses and releases here close the menu. The 3-pixel band (at 96 DPI) at the
// left and top counts as outside.
bool IsOutsideMenu(POINT client, SIZE clientSize, const DisplayScale& scale = DisplayScale());

// The item under a client point, or -1 outside, between items or on an inactive
// item. Separators are hit (they do nothing when released on).
int HitTestMenu(const std::vector<PopupMenuItem>& items, POINT client, SIZE clientSize,
                const DisplayScale& scale = DisplayScale());

// The first item that the typed character marks with '&' (case ignored), skipping
// separators, inactive and grey items; -1 when none.
int FindMnemonicItem(const std::vector<PopupMenuItem>& items, wchar_t typed);

// The next item from 'from' in the direction step (+1 or -1) that can be
// highlighted, wrapping round; from -1 starts at the top (or the bottom going up).
// -1 when no item can be highlighted.
int NextSelectableItem(const std::vector<PopupMenuItem>& items, int from, int step);
