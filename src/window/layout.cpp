#include "window/layout.h"

#include <cstdint>

namespace trevalon {
namespace {

// A rectangle inside a container of the given size, `by` pixels (at 96 dpi)
// from each of its edges; a negative `by` reaches beyond them.
Rect inset(const Rect& container, int by, int dpi) {
    const int edge = scale_length(by, dpi);
    return {edge, edge, container.width - 2 * edge, container.height - 2 * edge};
}

}  // namespace

MainLayout main_layout(WindowForm form) {
    const int band = form == WindowForm::full ? kBandHeight : 0;
    const int inner_width = kLeftStrip + kTreePaneWidth + kPaneGap + kListPaneWidth + kMargin;
    const int inner_height = kPanesHeight + band;
    const int list_x = kLeftStrip + kTreePaneWidth + kPaneGap;
    const int pane_height = inner_height - 2 * kMargin - kCaptionHeight - kBottomRowHeight;
    const int row_y = inner_height - kBottomRowHeight - 2;

    MainLayout layout;
    layout.inner = {inner_width, inner_height};
    layout.upper_toolbar = {kToolbarX, kToolbarTop};
    layout.lower_toolbar = {kToolbarX, kLowerToolbarBase + band};
    layout.tree_caption = {kLeftStrip, kMargin, kTreePaneWidth, kCaptionHeight};
    layout.list_caption = {list_x, kMargin, kListPaneWidth, kCaptionHeight};
    layout.tree_container = {kLeftStrip, kToolbarTop, kTreePaneWidth, pane_height};
    // The container hides the tree's own border: 2 pixels of it on every side.
    layout.tree = {-2, -2, kTreePaneWidth + 4, pane_height + 4};
    layout.list_container = {list_x, kToolbarTop, kListPaneWidth, pane_height};
    layout.list = {4, 4, kListPaneWidth - 8, pane_height - 8};

    const int side = kImageButtonSide;
    layout.size_button = {kLeftStrip + kMargin, row_y, side, side};
    layout.back_button = {kLeftStrip + kTreePaneWidth - 40, row_y, side, side};
    layout.bookmarks_button = {list_x + kMargin, row_y, side, side};
    layout.search_button = {list_x + 40, row_y, side, side};
    layout.search_field = {list_x + 40 + 18, row_y, kListPaneWidth - 40 - 18, kBottomRowHeight - 4};
    layout.list_column_width = kListPaneWidth;
    layout.image_side = kButtonImageSide;
    return layout;
}

int scale_length(int length, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
    const std::int64_t rounded = product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96);
    return static_cast<int>(rounded);
}

Rect scale_rect(const Rect& rect, int dpi) {
    const int x = scale_length(rect.x, dpi);
    const int y = scale_length(rect.y, dpi);
    return {x, y, scale_length(rect.right(), dpi) - x, scale_length(rect.bottom(), dpi) - y};
}

MainLayout scale_layout(const MainLayout& layout, int dpi) {
    auto point = [dpi](Point p) { return Point{scale_length(p.x, dpi), scale_length(p.y, dpi)}; };
    auto rect = [dpi](const Rect& r) { return scale_rect(r, dpi); };
    MainLayout scaled;
    scaled.inner = {scale_length(layout.inner.width, dpi), scale_length(layout.inner.height, dpi)};
    scaled.upper_toolbar = point(layout.upper_toolbar);
    scaled.lower_toolbar = point(layout.lower_toolbar);
    scaled.tree_caption = rect(layout.tree_caption);
    scaled.list_caption = rect(layout.list_caption);
    scaled.tree_container = rect(layout.tree_container);
    scaled.list_container = rect(layout.list_container);
    // The panes' contents follow their scaled containers, so the hidden border
    // and the white frame keep the same width on every side.
    scaled.tree = inset(scaled.tree_container, layout.tree.x, dpi);
    scaled.list = inset(scaled.list_container, layout.list.x, dpi);
    scaled.size_button = rect(layout.size_button);
    scaled.back_button = rect(layout.back_button);
    scaled.bookmarks_button = rect(layout.bookmarks_button);
    scaled.search_button = rect(layout.search_button);
    scaled.search_field = rect(layout.search_field);
    scaled.list_column_width = scale_length(layout.list_column_width, dpi);
    scaled.image_side = scale_length(layout.image_side, dpi);
    return scaled;
}

}  // namespace trevalon
