// Whether a click on the folder tree hit its selected item: the item's text
// rectangle, widened to the left to take in the space of the item's icon.
#pragma once

namespace trevalon {

struct ItemBox {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0;
};

// The widening at 96 dpi; scaled with the window's resolution.
inline constexpr int kTreeHitWidening = 20;

// True when (x, y), in the tree's client coordinates, lies in the text box
// widened by widening pixels to the left.
bool tree_click_hits(const ItemBox& text_box, int x, int y, int widening);

}  // namespace trevalon
