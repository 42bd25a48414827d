// Where every control of the main window goes: rectangles at 96 dpi for the
// full and the smaller form, and their scaling to the window's resolution.
// The numbers are fixed at 96 dpi and scaled once, edge by edge, so that
// neighbouring controls stay flush at any resolution.
#pragma once

namespace trevalon {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The layout values, in pixels at 96 dpi.
inline constexpr int kLeftStrip = 30;
inline constexpr int kTreePaneWidth = 350;
inline constexpr int kPaneGap = 2;
inline constexpr int kListPaneWidth = 490;
inline constexpr int kMargin = 5;
inline constexpr int kCaptionHeight = 20;
inline constexpr int kBottomRowHeight = 20;
inline constexpr int kToolbarTop = 25;
inline constexpr int kLowerToolbarBase = 330;
inline constexpr int kPanesHeight = 485;
// The band the smaller form gives up.
inline constexpr int kBandHeight = 110;
inline constexpr int kToolbarX = 3;
inline constexpr int kImageButtonSide = 16;
inline constexpr int kButtonImageSide = 16;

enum class WindowForm { full, smaller };

// Every rectangle in the coordinates of its parent: the panes' contents
// (tree, list) relative to their containers, everything else relative to the
// main window's inner area.
struct MainLayout {
    Size inner;
    Point upper_toolbar;        // toolbar 0: the top of its column of buttons
    Point lower_toolbar;        // toolbar 14
    Rect tree_caption;          // control 4
    Rect list_caption;          // control 5
    Rect tree_container;        // container 0
    Rect tree;                  // control 1, reaching 2 pixels beyond its container
    Rect list_container;        // container 2
    Rect list;                  // control 3
    Rect size_button;           // control 13
    Rect back_button;           // control 9
    Rect bookmarks_button;      // control 8
    Rect search_button;         // control 12
    Rect search_field;          // control 11
    int list_column_width = 0;  // column 0 of the file list: the pane's width
    int image_side = 0;         // toolbar and image-button pictures

    bool operator==(const MainLayout&) const = default;
};

// The layout at 96 dpi.
MainLayout main_layout(WindowForm form);

// A length at 96 dpi on a screen of `dpi`, rounded to the nearest pixel
// (halves away from zero).
int scale_length(int length, int dpi);

// Scales both edges of each axis, so rectangles that touch at 96 dpi still
// touch.
Rect scale_rect(const Rect& rect, int dpi);

// The whole layout at the given resolution.
MainLayout scale_layout(const MainLayout& layout, int dpi);

inline MainLayout main_layout(WindowForm form, int dpi) {
    return scale_layout(main_layout(form), dpi);
}

}  // namespace trevalon
