#include "window/tree_hit.h"

namespace trevalon {

bool tree_click_hits(const ItemBox& text_box, int x, int y, int widening) {
    return x >= text_box.left - widening && x < text_box.right && y >= text_box.top &&
           y < text_box.bottom;
}

}  // namespace trevalon
