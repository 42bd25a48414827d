// The main window's keys as data: which key, with which modifiers, where the
// focus is, and the command it raises. The window looks a key up here and
// queues the command; the commands themselves live with the other commands.
#pragma once

#include <span>
#include <string>

namespace trevalon {

// Virtual-key codes of the keys the map uses (the system's numbers; letters
// and digits are their upper-case characters).
namespace key {
inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kDelete = 0x2E;
inline constexpr int kApps = 0x5D;  // the menu key
inline constexpr int kF1 = 0x70;
inline constexpr int kF2 = 0x71;
inline constexpr int kF3 = 0x72;
inline constexpr int kF6 = 0x75;
inline constexpr int kF10 = 0x79;
}  // namespace key

// Modifier flags; a binding matches only its exact set.
inline constexpr unsigned kNoModifier = 0;
inline constexpr unsigned kCtrl = 1;
inline constexpr unsigned kShift = 2;
inline constexpr unsigned kAlt = 4;
inline constexpr unsigned kWin = 8;

// Where the keyboard focus is, as flags so one binding can cover several.
inline constexpr unsigned kInTree = 1;
inline constexpr unsigned kInList = 2;
inline constexpr unsigned kInSearchField = 4;
inline constexpr unsigned kElsewhere = 8;      // the window itself or another control
inline constexpr unsigned kInUpperStrip = 16;  // toolbar 0
inline constexpr unsigned kInLowerStrip = 32;  // toolbar 14
inline constexpr unsigned kInBottomRow = 64;   // the image buttons beside the search field
inline constexpr unsigned kInButtons = kInUpperStrip | kInLowerStrip | kInBottomRow;
inline constexpr unsigned kAnywhere = kInTree | kInList | kInSearchField | kElsewhere | kInButtons;

// The commands that only keys raise.
inline constexpr int kNextPaneCommand = 80;           // tree -> list -> search field -> tree
inline constexpr int kPreviousPaneCommand = 81;       // the other way round
inline constexpr int kSearchFieldCommand = 82;        // to the search field, its text selected
inline constexpr int kEscapeCommand = 83;             // clear the search field, or hide the window
inline constexpr int kIntoListCommand = 84;           // from the search field into the list
inline constexpr int kLaunchFocusedCommand = 85;      // the list's focused entry, either click mode
inline constexpr int kContextMenuCommand = 86;        // the tree's or the list's menu at the focus
inline constexpr int kShowOrHideCommand = 87;         // the global hotkey and the Windows key
inline constexpr int kOpenTreeSelectionCommand = 88;  // the tree's keyboard selection, at rest
inline constexpr int kBackCommand = 89;               // as the back button
inline constexpr int kBookmarksKeyCommand = 92;       // as a click on the bookmarks button
inline constexpr int kNextButtonCommand = 93;         // the bottom row's next button
inline constexpr int kPreviousButtonCommand = 94;     // and the one before
inline constexpr int kPressButtonCommand = 95;        // as a click on the focused one

// Whether a command from a key first asks the enabling rules of the context
// menu that holds it (the tree's or the list's, by where the focus is): a key
// does nothing the menu would not offer.
enum class KeyGate { none, context_menu };

struct KeyBinding {
    int key = 0;
    unsigned modifiers = kNoModifier;
    unsigned places = kAnywhere;
    int command = 0;
    KeyGate gate = KeyGate::none;
};

// Every binding of the main window.
std::span<const KeyBinding> key_bindings();

// The binding for a key pressed with these modifiers where the focus is
// (exactly one of the place flags); null when the key is the control's own.
const KeyBinding* find_key_binding(int key, unsigned modifiers, unsigned place);

// The first binding that raises `command` where the focus is in one of
// `places`; null when no key does. Menus and tooltips name their keys from
// this, so a hint and its key never disagree.
const KeyBinding* binding_for_command(int command, unsigned places = kAnywhere);

// How a binding's key is written in a hint: "Ctrl+1", "Del", "Shift+F10".
std::string key_name(const KeyBinding& binding);

// A hint's text with its key: `words` and the key name in brackets after a
// space, or `words` alone when no key raises the command there.
std::string with_key_name(std::string words, int command, unsigned places = kAnywhere);

// What a menu item shows after its words: a tab and the key that raises
// `command` in one of `places`; empty when no key does.
std::string menu_key_hint(int command, unsigned places);

// Whether a typed character in the tree or the list starts a search instead
// of the control's own jump to an item: printable characters, not the space
// (which the list uses to select) nor control characters.
bool starts_type_to_search(char32_t typed);

// The stop of the Tab ring after (or before) the one with the focus, as a
// place flag: search field, tree, list, upper strip, lower strip, bottom row
// and round again; from elsewhere forward is the tree and backward the
// search field.
unsigned next_pane(unsigned place, bool backward);

}  // namespace trevalon
