// Fonts, embedded images and cursors as the program loads them.
#include "window/ui_resources_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/wide_win.h"
#include "resources/resource_ids.h"
#include "support/process_win.h"

namespace trevalon {
namespace {

LOGFONTW font_of(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    return description;
}

TEST(UiResources, FontsFollowTheResolutionAndFallBackTogether) {
    const UiFonts normal = create_fonts(96);
    ASSERT_TRUE(normal.font1 && normal.font10 && normal.font11 && normal.font12);
    EXPECT_TRUE(normal.base_face == "Segoe UI" || normal.base_face == "MS Sans Serif")
        << normal.base_face;
    const std::wstring base = utf8_to_wide(normal.base_face);
    EXPECT_EQ(font_of(normal.font1.get()).lfFaceName, base);
    EXPECT_EQ(font_of(normal.font1.get()).lfHeight, -12);
    EXPECT_EQ(font_of(normal.font11.get()).lfFaceName, base + L" Semibold");
    EXPECT_EQ(font_of(normal.font11.get()).lfWeight, FW_NORMAL);

    const UiFonts high = create_fonts(144);
    EXPECT_EQ(high.base_face, normal.base_face);
    EXPECT_EQ(font_of(high.font11.get()).lfFaceName, base);
    EXPECT_EQ(font_of(high.font11.get()).lfWeight, FW_BOLD);
    EXPECT_EQ(font_of(high.font10.get()).lfHeight, -16);  // 8 points at 144 dpi
}

TEST(UiResources, EveryEmbeddedImageLoadsFromTheProgram) {
    UniqueLibrary program(
        LoadLibraryExW(utf8_to_wide(test::build_tree_path(TREVALON_EXE_PATH)).c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(program);
    UiResources resources;
    load_embedded_images(resources, program.get());
    for (const int number : kIconImageNumbers) {
        const Image* icon = resources.icon_image(number);
        ASSERT_TRUE(icon) << number;
        EXPECT_EQ(icon->width, 16) << number;
        EXPECT_EQ(icon->height, 16) << number;
        int shown = 0;
        for (std::size_t i = 3; i < icon->rgba.size(); i += 4)
            shown += icon->rgba[i] > 0 ? 1 : 0;
        EXPECT_GT(shown, 20) << number;
    }
    for (const auto& [number, height] :
         {std::pair{40, 160}, std::pair{41, 160}, std::pair{42, 70}}) {
        HBITMAP picture = resources.picture(number);
        ASSERT_TRUE(picture) << number;
        BITMAP bitmap{};
        GetObjectW(picture, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 270) << number;
        EXPECT_EQ(bitmap.bmHeight, height) << number;
    }
    EXPECT_EQ(resources.picture(41), resources.picture(41)) << "decoded once, then kept";
    EXPECT_EQ(resources.icon_image(4), nullptr);
    EXPECT_EQ(resources.icon_image(99), nullptr);
    EXPECT_EQ(resources.picture(99), nullptr);
    EXPECT_TRUE(embedded_data(program.get(), 4711).empty());
}

TEST(UiResources, TheThreeCursorsAreTheSystems) {
    const UiCursors cursors = load_cursors();
    EXPECT_TRUE(cursors.arrow && cursors.wait && cursors.app_starting);
    EXPECT_NE(cursors.arrow, cursors.wait);
}

}  // namespace
}  // namespace trevalon
