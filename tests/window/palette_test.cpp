// The window's colours: light as it always was, dark that is readable, and
// in high contrast nothing but the system's scheme.
#include "window/palette.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

SystemLook look(bool apps_dark, bool high_contrast = false) {
    SystemLook system;
    system.apps_dark = apps_dark;
    system.high_contrast = high_contrast;
    return system;
}

TEST(Palette, ContrastRatioSpansOneToTwentyOne) {
    EXPECT_NEAR(contrast_ratio(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0, 0.01);
    EXPECT_NEAR(contrast_ratio(rgb(255, 255, 255), rgb(0, 0, 0)), 21.0, 0.01);
    EXPECT_NEAR(contrast_ratio(rgb(120, 40, 200), rgb(120, 40, 200)), 1.0, 1e-9);
    // Green weighs most: the same step in green contrasts more than in blue.
    EXPECT_GT(contrast_ratio(rgb(0, 128, 0), rgb(0, 0, 0)),
              contrast_ratio(rgb(0, 0, 128), rgb(0, 0, 0)));
}

TEST(Palette, LightIsTheColoursTheWindowAlwaysHad) {
    SystemLook system = look(false);
    system.colours.button_face = rgb(212, 208, 200);
    system.colours.highlight = rgb(10, 36, 106);
    const Palette light = choose_palette(kThemeFollowsSystem, system);
    EXPECT_EQ(light.kind, PaletteKind::light);
    EXPECT_EQ(light.tree_background, rgb(250, 250, 250));
    EXPECT_EQ(light.list_background, rgb(255, 255, 255));
    EXPECT_EQ(light.text, rgb(96, 96, 96));
    EXPECT_EQ(light.caption_text, rgb(0, 0, 0));
    EXPECT_EQ(light.face, rgb(212, 208, 200));
    EXPECT_EQ(light.hover_text, rgb(0, 84, 166));
    EXPECT_EQ(light.hover_background, rgb(229, 241, 251));
    // The unfocused tree's selection: one part highlight, two parts background.
    EXPECT_EQ(light.inactive_selection_background, rgb(170, 179, 202));
    EXPECT_EQ(light.inactive_selection_text, system.colours.window_text);
}

TEST(Palette, ThemeOverridesTheAppsValueBothWays) {
    EXPECT_EQ(choose_palette(kThemeFollowsSystem, look(true)).kind, PaletteKind::dark);
    EXPECT_EQ(choose_palette(kThemeLight, look(true)).kind, PaletteKind::light);
    EXPECT_EQ(choose_palette(kThemeDark, look(false)).kind, PaletteKind::dark);
    EXPECT_EQ(choose_palette(kThemeFollowsSystem, look(false)).kind, PaletteKind::light);
    // A value the setting never takes follows the system.
    EXPECT_EQ(choose_palette(7, look(true)).kind, PaletteKind::dark);
}

TEST(Palette, EveryDarkTextReadsAtSevenToOne) {
    for (const Colour highlight : {rgb(0, 120, 215), rgb(51, 153, 255), rgb(0, 0, 128)}) {
        SystemLook system = look(true);
        system.colours.highlight = highlight;
        const Palette dark = choose_palette(kThemeFollowsSystem, system);
        EXPECT_GE(contrast_ratio(dark.text, dark.tree_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.text, dark.list_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.quiet_text, dark.list_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.caption_text, dark.face), 7.0);
        EXPECT_GE(contrast_ratio(dark.field_text, dark.field_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.hover_text, dark.hover_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.tip_text, dark.tip_background), 7.0);
        EXPECT_GE(contrast_ratio(dark.inactive_selection_text, dark.inactive_selection_background),
                  7.0);
        // Dark indeed: every background darker than every text.
        for (const Colour background :
             {dark.face, dark.tree_background, dark.list_background, dark.field_background})
            EXPECT_GT(contrast_ratio(background, rgb(255, 255, 255)), 12.0);
    }
}

TEST(Palette, HighContrastTakesOnlyTheSystemsColoursWhateverTheTheme) {
    SystemLook system = look(false, true);
    system.colours = {rgb(0, 0, 0), rgb(255, 255, 0), rgb(0, 255, 255), rgb(0, 0, 1),
                      rgb(0, 0, 2), rgb(0, 255, 0),   rgb(0, 0, 3),     rgb(0, 0, 4)};
    for (const int theme : {kThemeFollowsSystem, kThemeLight, kThemeDark}) {
        const Palette contrast = choose_palette(theme, system);
        EXPECT_EQ(contrast.kind, PaletteKind::high_contrast);
        EXPECT_EQ(contrast.tree_background, system.colours.window);
        EXPECT_EQ(contrast.list_background, system.colours.window);
        EXPECT_EQ(contrast.field_background, system.colours.window);
        EXPECT_EQ(contrast.text, system.colours.window_text);
        EXPECT_EQ(contrast.caption_text, system.colours.window_text);
        EXPECT_EQ(contrast.field_text, system.colours.window_text);
        EXPECT_EQ(contrast.face, system.colours.button_face);
        EXPECT_EQ(contrast.quiet_text, system.colours.gray_text);
        // Hover and selection stay visible: the scheme's own highlight.
        EXPECT_EQ(contrast.hover_background, system.colours.highlight);
        EXPECT_EQ(contrast.hover_text, system.colours.highlight_text);
        EXPECT_EQ(contrast.inactive_selection_background, system.colours.highlight);
        EXPECT_EQ(contrast.inactive_selection_text, system.colours.highlight_text);
        EXPECT_EQ(contrast.tip_background, system.colours.info_background);
        EXPECT_EQ(contrast.tip_text, system.colours.info_text);
    }
}

}  // namespace
}  // namespace trevalon
