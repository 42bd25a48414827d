// Every built-in text of the program, in one place. A translator reads and
// changes the quoted values; the keys stay. Values are scrambled while
// compiling (see scramble.h) and made readable once at start-up.
//
// Style: sentence case everywhere (menus, buttons, tabs, tooltips, messages),
// no "&" mnemonics, questions end with "?". Fixed terms: "My Menu" (the user's
// own menu), "Windows menu", "recent programs", "recent documents",
// "bookmarks", "entry" (an item of a list), "folder". Values hold no line
// breaks: the program joins message parts itself.
#include <array>

#include "texts/scramble.h"
#include "texts/text_table.h"
#include "version.h"

namespace trevalon {
namespace {

#define T(key, value)             \
    BuiltinText {                 \
        key, stored_text<value>() \
    }
// The product's name comes from the build, like its version.
#define PRODUCT TREVALON_PRODUCT_NAME

// Names, addresses and the product line, in their built-in order. Folder names
// carry no backslash. The folder, file and registry names are where the user's
// data lives, so they are spelled out rather than derived from the product
// name: renaming the product must not orphan existing data. "Trevalon.prefs"
// is also the name the predecessor's settings file is renamed to.
constexpr std::array kConstants{
    T("RecentSearch_Subdir", "Search Results"),
    T("RecentPrograms_Subdir", "Recent Programs"),
    T("Registry_Subkey", "Software\\Quorvane\\Trevalon"),
    T("RecentDocuments_Subdir", "Recent Documents"),
    T("Offline_PDF", "Trevalon Manual.pdf"),
    T("Program_Name", PRODUCT),
    T("Velmora_Subdir", "My Menu"),
    T("AppData_Subdir", "Trevalon"),
    T("Version_Name", "Version " TREVALON_VERSION),
    T("IconCache_Subdir", "Icon Cache"),
    T("Copyright_Text", "Copyright \u00a9 2026 Quorvane. All rights reserved."),
    T("Offline_Hilfe", "Trevalon Help.html"),
    T("Temp_Subdir", "Trevalon"),
    T("WindowsMenu_Subdir", "Windows Menu"),
    T("Settings_File", "Trevalon.prefs"),
    T("Bookmarks_Subdir", "Bookmarks"),
    T("Clipboard_Subdir", "Clipboard"),
    // How often each entry was started: what orders the search results.
    T("Usage_File", "Launch Counts.txt"),
};

// The English list, in key order.
constexpr std::array kEnglish{
    // Help menu: the maker's web pages and the name of the properties page
    // that shows the program file's signature (the system's own page name).
    T("Online_Adresse", "https://www.quorvane.example/trevalon/"),
    T("Online_MoreTools", "https://www.quorvane.example/tools/"),
    T("Digital_Sinatures", "Digital Signatures"),
    // Note of a menu entry that starts a shell item without a file path.
    T("Universal_App", "Universal App"),
    // The buttons of the box that asks for a name.
    T("Input_OK", "OK"),
    T("Input_Cancel", "Cancel"),

    // Column titles of the file list, where the shell offers none of its own.
    T("Column_Name", "Name"),
    T("Column_Size", "Size"),
    T("Column_Type", "Type"),
    T("Column_Modified", "Modified"),

    // Start-up: message box when the screen cannot be examined (caption, text),
    // and the caption of the notice after taking over from the predecessor.
    T("TXT00001", PRODUCT " cannot start"),
    T("TXT00002", PRODUCT " could not read the display settings and will close now."),
    T("TXT00013", "Settings taken over from Osmeric"),

    // Power menu, opened from the last button of the lower toolbar.
    T("TXT00030", "Lock"),
    T("TXT00031", "Sign out"),
    T("TXT00032", "Sleep"),
    T("TXT00033", "Restart"),
    T("TXT00034", "Shut down"),
    T("TXT00035", "Force shut down (closes programs without asking)"),

    // Start-up: refusal to run as a 32-bit process, and the text of the notice
    // after taking over from the predecessor.
    T("TXT00040", PRODUCT " is a 64-bit program and cannot run as a 32-bit process."),
    T("TXT00042", PRODUCT " has taken over your Osmeric settings and menu. Osmeric has been "
                          "closed and no longer starts with Windows."),

    // Tooltips of the upper toolbar (left edge of the main window).
    T("TXT00050", "My Menu"),
    T("TXT00051", "Windows menu"),
    T("TXT00053", "Recent programs"),
    T("TXT00054", "Recent documents"),
    T("TXT00055", "Expand all folders"),
    T("TXT00056", "Collapse all folders"),
    T("TXT00057", "Large icons"),
    T("TXT00058", "List"),
    T("TXT00060", "Tools"),
    T("TXT00061", "Help"),
    T("TXT00062", "Exit " PRODUCT),

    // Help menu (upper toolbar).
    T("TXT00070", "Help"),
    T("TXT00071", "Manual (PDF)"),
    T("TXT00072", PRODUCT " website"),
    T("TXT00073", "More tools from Quorvane"),
    T("TXT00075", "Digital signature"),
    T("TXT00076", "About " PRODUCT),

    // Tooltips of the lower toolbar (system places and power).
    T("TXT00080", "This PC"),
    T("TXT00081", "Control Panel"),
    T("TXT00082", "Printers"),
    T("TXT00083", "Task Manager"),
    T("TXT00084", "Run"),
    T("TXT00085", "Lock, sign out or shut down"),

    // Tools menu (upper toolbar).
    T("TXT00090", "Settings"),
    T("TXT00091", "Pin " PRODUCT " to the taskbar"),
    T("TXT00092", "Create desktop shortcut"),
    T("TXT00093", "Open My Menu in File Explorer"),
    T("TXT00094", "Clear recent programs"),
    T("TXT00095", "Clear recent documents"),
    T("TXT00096", "Delete all bookmarks"),

    // Context menu of the folder tree. The first two are also the captions of
    // the boxes that ask for the new folder's name.
    T("TXT00100", "New folder"),
    T("TXT00101", "New subfolder"),
    T("TXT00102", "Delete"),
    T("TXT00103", "Rename"),
    T("TXT00104", "Information"),
    T("TXT00105", "Properties"),
    T("TXT00106", "Refresh"),
    T("TXT00107", "Cancel"),

    // Context menu of the file list.
    T("TXT00110", "New shortcut"),
    T("TXT00111", "Copy"),
    T("TXT00112", "Cut"),
    T("TXT00113", "Paste"),
    T("TXT00114", "Delete"),
    T("TXT00115", "Rename"),
    T("TXT00116", "Add to bookmarks"),
    T("TXT00117", "Pin to taskbar"),
    T("TXT00118", "Information"),
    T("TXT00119", "Properties"),
    T("TXT00120", "Refresh"),
    T("TXT00121", "Cancel"),

    // Bottom row of the main window: tooltips of the size, bookmarks, search
    // and back buttons and of the search box, and the empty-search message.
    T("TXT00130", "Smaller or larger window"),
    T("TXT00131", "Bookmarks"),
    T("TXT00133", "Search"),
    T("TXT00134", "Type part of a name: the matches show as you type"),
    T("TXT00135", "Type a name or part of a name in the search box first."),
    T("TXT00136", "Previous folder"),

    // Settings window: title, tabs, frames, check boxes, options, labels and
    // buttons, tab by tab.
    T("TXT00140", PRODUCT " settings"),
    T("TXT00141", "General"),
    T("TXT00142", "Startup"),
    T("TXT00143", "Start " PRODUCT " when I sign in to Windows"),
    T("TXT00144", "Menu shown at startup"),
    T("TXT00145", "My Menu"),
    T("TXT00146", "Windows menu"),
    T("TXT00147", "The menu shown last"),
    T("TXT00148", "Folder of My Menu"),
    T("TXT00149", "No folder chosen"),
    T("TXT00150", "Choose folder"),
    T("TXT00151", "Use default folder"),
    T("TXT00152", "Closing the window"),
    T("TXT00153", "Keep " PRODUCT " running in the taskbar when its window is closed"),
    T("TXT00154", "Behavior"),
    T("TXT00155", "Recent programs"),
    T("TXT00156",
      "days a program stays in the list after it was last started (0 turns the "
      "list off)"),
    T("TXT00157", "Search"),
    T("TXT00158", "Also search recent documents"),
    T("TXT00159", "Screen edge and taskbar"),
    T("TXT00160", "Open " PRODUCT " from the top edge of the screen"),
    T("TXT00161", "Open when the pointer rests on the top edge of the screen"),
    T("TXT00162", "Open only when the pointer swipes along the top edge"),
    T("TXT00163", "Taskbar"),
    T("TXT00164", "Pin " PRODUCT " to the taskbar"),
    T("TXT00165", "OK"),
    T("TXT00167", "Starting entries"),
    T("TXT00168", "Start entries with a double-click instead of a single click"),
    T("TXT00169", "Internet"),
    T("TXT00169a", "Fetch page titles and icons for new bookmarks from the internet"),

    // Digital signature notice (Help menu): caption, then three sentences
    // joined by spaces, a blank line and a closing sentence.
    T("TXT00172", "Digital signature"),
    T("TXT00173", "Official copies of " PRODUCT " are digitally signed by Quorvane."),
    T("TXT00174",
      "The signature shows that the program file comes from Quorvane and has not "
      "been changed since."),
    T("TXT00175", "You can check it on the Digital Signatures page of the file's properties."),
    T("TXT00176", "That page opens when you close this message."),

    // Window title and pane captions: the suffix of the tree's first item
    // ("My Menu - Top level"), the captions of the four lists, the names of
    // the two menus and the tree caption's suffix in the Windows menu.
    T("TXT00200", "Top level"),
    T("TXT00201", "Recent programs"),
    T("TXT00202", "Recent documents"),
    T("TXT00203", "Bookmarks"),
    T("TXT00204", "Search results"),
    T("TXT00205", "Windows menu"),
    T("TXT00206", "My Menu"),
    T("TXT00207", "(read-only)"),

    // Folders and entries: prompts of the name boxes, refusals (each followed
    // by a blank line and the name), questions, information boxes (labels are
    // followed by a line break and the value), the shortcut wizard notice and
    // the list-clearing questions.
    T("TXT00220", "Name of the new folder at the top level of the menu:"),
    T("TXT00221", "A folder with this name already exists:"),
    T("TXT00222", "Name of the new folder inside the selected folder:"),
    T("TXT00223", "A folder with this name already exists:"),
    T("TXT00224", "New name of the folder:"),
    T("TXT00225", "A folder with this name already exists:"),
    T("TXT00226", "Delete this folder and everything in it?"),
    T("TXT00227",
      "This folder is read-only here: you can start its entries, but not change "
      "them."),
    T("TXT00228",
      "You can change this folder: add, rename, move and delete its entries and "
      "subfolders."),
    T("TXT00229", "Folder:"),
    T("TXT00230", "New shortcut"),
    T("TXT00231",
      "Create the shortcut in the wizard that has opened, then click OK. Clicking "
      "OK before the wizard is finished closes it without creating a shortcut."),
    T("TXT00232", "The clipboard holds more than five files. Paste them all?"),
    T("TXT00233", "New name of the entry:"),
    T("TXT00234", "An entry with this name already exists:"),
    T("TXT00235", "This entry is read-only here: you can start it, but not change it."),
    T("TXT00236", "You can change this entry: rename, move or delete it."),
    T("TXT00237", "Location:"),
    T("TXT00238", "Target:"),
    T("TXT00239", "A shortcut to " PRODUCT " has been added to your desktop."),
    T("TXT00240", "Clear the list of recent programs?"),
    T("TXT00241",
      "Clear the list of recent documents that Windows keeps (the documents "
      "themselves stay)?"),
    T("TXT00242", "Delete all bookmarks?"),
    T("TXT00243", "The Windows menu cannot be changed. Switch to My Menu to add entries."),
    T("TXT00244", "The target of this shortcut no longer exists."),

    // Settings window: title of the folder chooser for My Menu.
    T("TXT00245", "Choose the folder for My Menu"),

    // Undo: the item at the end of both context menus (alone when there is
    // nothing to undo, else the verb is followed by the name in quotes), the
    // messages of Ctrl+Z, and the questions when a place has no Recycle Bin
    // (the entry's is followed by a blank line and the path; the folder's
    // follows its delete question).
    T("TXT00300", "Undo"),
    T("TXT00301", "Undo delete"),
    T("TXT00302", "Undo rename"),
    T("TXT00303", "Undo new folder"),
    T("TXT00304", "Undo paste"),
    T("TXT00305", "Undo drop"),
    T("TXT00306", "Undo move"),
    T("TXT00307", "Undo cut"),
    T("TXT00308", "Undo add to bookmarks"),
    T("TXT00309", "There is nothing to undo."),
    T("TXT00310", "This cannot be undone because it was changed since:"),
    T("TXT00311", "This could not be undone, so everything was left as it was:"),
    T("TXT00312",
      "There is no Recycle Bin for this place, so the entry can be brought back only "
      "with Undo until " PRODUCT " ends. Delete it?"),
    T("TXT00313",
      "There is no Recycle Bin for this place, so the folder can be brought back "
      "only with Undo until " PRODUCT " ends."),

    // Pinning to the taskbar where Windows does not allow it.
    T("TXT00320", "Windows did not let " PRODUCT " pin this program to the taskbar:"),
    T("TXT00321",
      "To pin it yourself, start the program, then right-click its button on the taskbar and "
      "choose \"Pin to taskbar\"."),

    // Keyboard: what the keys of the window do, the hotkey settings.
    T("TXT00340", "Next pane"),
    T("TXT00341", "Previous pane"),
    T("TXT00342", "Go to the search box"),
    T("TXT00343", "Clear the search box, or hide the window"),
    T("TXT00344", "From the search box into the list"),
    T("TXT00345", "Start the selected entry"),
    T("TXT00346", "Menu of the selected folder or entry"),
    T("TXT00347", "Show or hide " PRODUCT),
    T("TXT00348", "Open the selected folder"),
    T("TXT00349", "Previous folder"),
    T("TXT00350", "Keyboard"),
    T("TXT00351", "Key that shows or hides " PRODUCT ":"),
    T("TXT00352", "Open " PRODUCT " with the Windows key alone, instead of the Windows start menu"),
    T("TXT00353",
      "Another program already uses this key. Choose another key in the settings, on the "
      "Behavior tab."),

    // Search results as you type: the line when nothing matches (followed by
    // the text in quotes), and where a result lives (followed by its folder).
    T("TXT00360", "Nothing matches"),
    T("TXT00361", "Windows menu (all users)"),
    T("TXT00362", "Windows menu (this user)"),
    // Enter in the search field, and the item of a result's menu (Ctrl+Enter)
    // that shows the folder it lives in.
    T("TXT00363", "Start the top result"),
    T("TXT00364", "Show in folder"),
    // The bottom row's buttons from the keyboard, and the search box's name
    // and the grey hint it shows while empty.
    T("TXT00365", "Next button"),
    T("TXT00366", "Previous button"),
    T("TXT00367", "Press the button"),
    T("TXT00368", "Search"),
    T("TXT00369", "Type to search"),
    // The results list's name for a screen reader, followed by their number.
    T("TXT00370", "Results:"),
    // The settings window's appearance tab: the colours to use, and what
    // high contrast does to them.
    T("TXT00371", "Appearance"),
    T("TXT00372", "Colors"),
    T("TXT00373", "Follow the Windows setting for apps"),
    T("TXT00374", "Light"),
    T("TXT00375", "Dark"),
    T("TXT00376",
      "While high contrast is on, " PRODUCT " uses the colors of the contrast theme Windows "
      "shows."),

    // Nothing lost: the folder in My Menu that takes what was found beside
    // entries waiting to be pasted, the messages after waiting entries were
    // settled (each followed by a blank line and the paths, one a line, and
    // TXT00417 and a number when there are too many to list), names Windows
    // reads as devices, the items a paste or drop left out (the name, a colon
    // and the reason), deletes that could not be done or kept for Undo, a cut
    // that could not be kept, and a second instance in another session.
    T("TXT00400", "Recovered entries"),
    T("TXT00401",
      "These entries could not go back to where they were cut from, so they were put here:"),
    T("TXT00402", "These items were found beside entries waiting to be pasted and were put here:"),
    T("TXT00403", "These entries wait to be pasted and could be put nowhere, so they stay here:"),
    T("TXT00404",
      "Windows keeps this name for a device, or it ends in a dot or a blank, so programs "
      "cannot open the entry by its name. Rename it first:"),
    T("TXT00405", "These items were not added:"),
    T("TXT00406", "it no longer exists"),
    T("TXT00407", "the shortcut file is empty"),
    T("TXT00408", "every free name up to (99) is taken"),
    T("TXT00409", "the folder's path leaves no room for its name"),
    T("TXT00410", "Windows keeps its name for a device, or it ends in a dot or a blank"),
    T("TXT00411", "it could not be copied"),
    T("TXT00412", "No copy could be kept for Undo, so nothing was deleted:"),
    T("TXT00413", "Only part of the folder could be deleted. Undo brings back what was deleted:"),
    T("TXT00414", "This could not be deleted, so it was left as it was:"),
    T("TXT00415",
      "No copy of the entry could be kept while it waits to be pasted, so it was not cut:"),
    T("TXT00416",
      PRODUCT " is already running for you in another session. Close it there first, then "
              "start it again."),
    T("TXT00417", "More not listed:"),
    T("TXT00418",
      "Windows keeps this name for a device, or it ends in a dot or a blank. Choose another "
      "name."),
};

#undef PRODUCT
#undef T

}  // namespace

std::span<const BuiltinText> builtin_constants() {
    return kConstants;
}
std::span<const BuiltinText> builtin_english() {
    return kEnglish;
}

}  // namespace trevalon
