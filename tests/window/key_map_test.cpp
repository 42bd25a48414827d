// The window's keys as data: what each key does where, and the rules the
// window asks of the typed characters and the panes.
#include "window/key_map.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "window/key_rest.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

int command_of(int key, unsigned modifiers, unsigned place) {
    const KeyBinding* binding = find_key_binding(key, modifiers, place);
    return binding ? binding->command : 0;
}

TEST(KeyMap, NoKeyMeansTwoThingsInOnePlace) {
    std::set<std::tuple<int, unsigned, unsigned>> seen;
    for (const KeyBinding& binding : key_bindings()) {
        EXPECT_NE(binding.places, 0u) << binding.key;
        for (unsigned place = kInTree; place <= kInBottomRow; place <<= 1) {
            if (binding.places & place) {
                EXPECT_TRUE(seen.emplace(binding.key, binding.modifiers, place).second)
                    << "key " << binding.key << " twice in place " << place;
            }
        }
    }
}

TEST(KeyMap, ReturnStartsTheTopResultFromTheFieldShiftReturnSearchesAndCtrlReturnShowsTheFolder) {
    EXPECT_EQ(command_of(key::kReturn, kNoModifier, kInSearchField), kSearchEnterCommand);
    EXPECT_EQ(command_of(key::kReturn, kShift, kInSearchField), kReturnKeyCommand);
    EXPECT_EQ(command_of(key::kReturn, kNoModifier, kInTree), kReturnKeyCommand);
    EXPECT_EQ(command_of(key::kReturn, kNoModifier, kElsewhere), kReturnKeyCommand);
    EXPECT_EQ(command_of(key::kReturn, kNoModifier, kInList), kLaunchFocusedCommand);
    EXPECT_EQ(command_of(key::kReturn, kShift, kInList), 0);
    // Where a result lives: in the list only as far as its menu offers it.
    const KeyBinding* in_list = find_key_binding(key::kReturn, kCtrl, kInList);
    ASSERT_TRUE(in_list);
    EXPECT_EQ(in_list->command, kShowInFolderCommand);
    EXPECT_EQ(in_list->gate, KeyGate::context_menu);
    EXPECT_EQ(command_of(key::kReturn, kCtrl, kInSearchField), kShowInFolderCommand);
    EXPECT_EQ(command_of(key::kReturn, kCtrl, kInTree), 0);
}

TEST(KeyMap, TheFieldKeepsItsEditingKeysAndTheListItsMenuKeys) {
    // Editing in the search field stays the field's own.
    for (const auto& [key, modifiers] :
         {std::pair{key::kBackspace, kNoModifier}, std::pair{int{'C'}, kCtrl},
          std::pair{int{'Z'}, kCtrl}, std::pair{int{'V'}, kCtrl},
          std::pair{key::kDelete, kNoModifier}, std::pair{key::kLeft, kAlt},
          std::pair{key::kF2, kNoModifier}})
        EXPECT_EQ(command_of(key, modifiers, kInSearchField), 0) << key;
    // In the list they are the entry menu's commands, through its rules.
    for (const auto& [key, modifiers, command] :
         {std::tuple{int{'C'}, kCtrl, 59}, std::tuple{int{'X'}, kCtrl, 60},
          std::tuple{int{'V'}, kCtrl, 61}, std::tuple{key::kDelete, kNoModifier, 62},
          std::tuple{key::kF2, kNoModifier, 63}}) {
        const KeyBinding* binding = find_key_binding(key, modifiers, kInList);
        ASSERT_TRUE(binding) << key;
        EXPECT_EQ(binding->command, command);
        EXPECT_EQ(binding->gate, KeyGate::context_menu);
    }
    EXPECT_EQ(command_of(key::kF2, kNoModifier, kInTree), 49);
    // Ctrl+Z is Undo everywhere but in the field.
    for (const unsigned place : {kInTree, kInList, kElsewhere})
        EXPECT_EQ(command_of('Z', kCtrl, place), kUndoCommand) << place;
    EXPECT_EQ(command_of('Z', kCtrl, kInSearchField), 0);
    EXPECT_EQ(command_of('C', kCtrl | kShift, kInList), 0);  // modifiers match exactly
    EXPECT_EQ(command_of('C', kCtrl | kWin, kInList), 0);
}

TEST(KeyMap, MovingAroundAndBack) {
    for (const unsigned place : {kInTree, kInList, kInSearchField, kElsewhere}) {
        EXPECT_EQ(command_of(key::kTab, kNoModifier, place), kNextPaneCommand);
        EXPECT_EQ(command_of(key::kF6, kShift, place), kPreviousPaneCommand);
        EXPECT_EQ(command_of('F', kCtrl, place), kSearchFieldCommand);
        EXPECT_EQ(command_of(key::kEscape, kNoModifier, place), kEscapeCommand);
    }
    EXPECT_EQ(command_of(key::kDown, kNoModifier, kInSearchField), kIntoListCommand);
    EXPECT_EQ(command_of(key::kDown, kNoModifier, kInTree), 0);  // the tree moves itself
    EXPECT_EQ(command_of(key::kLeft, kAlt, kInList), kBackCommand);
    EXPECT_EQ(command_of(key::kBackspace, kNoModifier, kInTree), kBackCommand);
    EXPECT_EQ(command_of(key::kApps, kNoModifier, kInList), kContextMenuCommand);
    EXPECT_EQ(command_of(key::kF10, kShift, kInTree), kContextMenuCommand);

    // Tab and Shift+Tab go round the panes and the buttons in opposite
    // directions; from anywhere else Tab starts at the tree and Shift+Tab at
    // the field.
    const unsigned ring[] = {kInSearchField, kInTree,       kInList,
                             kInUpperStrip,  kInLowerStrip, kInBottomRow};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(next_pane(ring[i], false), ring[(i + 1) % 6]) << i;
        EXPECT_EQ(next_pane(ring[(i + 1) % 6], true), ring[i]) << i;
    }
    EXPECT_EQ(next_pane(kElsewhere, false), kInTree);
    EXPECT_EQ(next_pane(kElsewhere, true), kInSearchField);
}

TEST(KeyMap, AmongTheButtonsTheArrowsMoveAndEnterOrSpacePresses) {
    for (const unsigned strip : {kInUpperStrip, kInLowerStrip, kInBottomRow}) {
        EXPECT_EQ(command_of(key::kTab, kNoModifier, strip), kNextPaneCommand);
        EXPECT_EQ(command_of(key::kTab, kShift, strip), kPreviousPaneCommand);
        EXPECT_EQ(command_of('2', kCtrl, strip), 2);
    }
    // The toolbars move and press by themselves: no key of the window's.
    for (const unsigned strip : {kInUpperStrip, kInLowerStrip}) {
        for (const int key : {key::kReturn, key::kSpace, key::kLeft, key::kDown})
            EXPECT_EQ(command_of(key, kNoModifier, strip), 0) << key;
    }
    EXPECT_EQ(command_of(key::kRight, kNoModifier, kInBottomRow), kNextButtonCommand);
    EXPECT_EQ(command_of(key::kDown, kNoModifier, kInBottomRow), kNextButtonCommand);
    EXPECT_EQ(command_of(key::kLeft, kNoModifier, kInBottomRow), kPreviousButtonCommand);
    EXPECT_EQ(command_of(key::kReturn, kNoModifier, kInBottomRow), kPressButtonCommand);
    EXPECT_EQ(command_of(key::kSpace, kNoModifier, kInBottomRow), kPressButtonCommand);
    // Space stays the list's own (it selects there).
    EXPECT_EQ(command_of(key::kSpace, kNoModifier, kInList), 0);
}

TEST(KeyMap, CtrlAndADigitShowTheViewsAndTheBookmarksEverywhere) {
    for (unsigned place = kInTree; place <= kInBottomRow; place <<= 1) {
        for (int view = 1; view <= 4; ++view)
            EXPECT_EQ(command_of('0' + view, kCtrl, place), view) << place;
        EXPECT_EQ(command_of('5', kCtrl, place), kBookmarksKeyCommand) << place;
        // A digit alone is typed, not a command.
        EXPECT_EQ(command_of('1', kNoModifier, place), 0) << place;
    }
    EXPECT_EQ(command_of('6', kCtrl, kInList), 0);
}

TEST(KeyMap, HintsNameTheKeyThatRaisesACommandWhereItIsPressed) {
    const auto hint = [](int command, unsigned places) {
        const KeyBinding* binding = binding_for_command(command, places);
        return binding ? key_name(*binding) : std::string("none");
    };
    EXPECT_EQ(hint(1, kAnywhere), "Ctrl+1");
    EXPECT_EQ(hint(kBookmarksKeyCommand, kAnywhere), "Ctrl+5");
    EXPECT_EQ(hint(62, kInList), "Del");
    EXPECT_EQ(hint(63, kInList), "F2");
    EXPECT_EQ(hint(60, kInList), "Ctrl+X");
    EXPECT_EQ(hint(kUndoCommand, kInTree), "Ctrl+Z");
    EXPECT_EQ(hint(kShowInFolderCommand, kInList), "Ctrl+Enter");
    EXPECT_EQ(hint(kContextMenuCommand, kInList), "Shift+F10");
    EXPECT_EQ(hint(kBackCommand, kInTree), "Backspace");
    EXPECT_EQ(hint(kBackCommand, kInSearchField), "none");  // there Backspace edits
    // Delete in the list is command 62, in the tree 48: each menu its own.
    EXPECT_EQ(hint(48, kInList), "none");
    EXPECT_EQ(hint(48, kInTree), "Del");
    // Every binding can be written out: no key the hints cannot name.
    for (const KeyBinding& binding : key_bindings())
        EXPECT_EQ(key_name(binding).find('?'), std::string::npos) << binding.key;

    EXPECT_EQ(with_key_name("Recent programs", 3), "Recent programs (Ctrl+3)");
    EXPECT_EQ(with_key_name("Tools", 11), "Tools");
    EXPECT_EQ(menu_key_hint(61, kInList), "\tCtrl+V");
    EXPECT_EQ(menu_key_hint(61, kInTree), "");
}

TEST(KeyMap, PrintableCharactersStartASearch) {
    for (const char32_t typed : {U'a', U'Z', U'7', U'.', U'é', U'ß', U'\u4E2D', U'\U0001F600'})
        EXPECT_TRUE(starts_type_to_search(typed)) << static_cast<unsigned>(typed);
    for (const char32_t typed : {U' ', U'\t', U'\r', U'\x1B', U'\x08', U'\x7F', U'\x85', U'\x03'})
        EXPECT_FALSE(starts_type_to_search(typed)) << static_cast<unsigned>(typed);
}

TEST(KeyRest, HoldingAKeyActsOnceWhereItStopped) {
    using std::chrono::milliseconds;
    KeyRest rest(kTreeKeyRest);
    EXPECT_FALSE(rest.take_due(milliseconds(0)));
    EXPECT_EQ(rest.remaining(milliseconds(0)), std::nullopt);
    // Ten presses of a held key, 33 ms apart (auto-repeat), checked at
    // every millisecond: one action, 150 ms after the last press.
    int actions = 0;
    long long acted_at = -1;
    for (long long t = 0; t < 1000; ++t) {
        if (t % 33 == 0 && t / 33 < 10)
            rest.note_key(milliseconds(t));
        if (rest.take_due(milliseconds(t))) {
            ++actions;
            acted_at = t;
        }
    }
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(acted_at, 9 * 33 + 150);

    // Two presses further apart than the rest act twice.
    rest.note_key(milliseconds(2000));
    EXPECT_EQ(rest.remaining(milliseconds(2100)), milliseconds(50));
    EXPECT_TRUE(rest.take_due(milliseconds(2150)));
    rest.note_key(milliseconds(2400));
    EXPECT_FALSE(rest.take_due(milliseconds(2549)));
    EXPECT_TRUE(rest.take_due(milliseconds(2600)));
    EXPECT_EQ(rest.remaining(milliseconds(2600)), std::nullopt);
}

}  // namespace
}  // namespace trevalon
