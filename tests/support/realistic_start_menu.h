// A start menu as a Windows 11 PC with Office, browsers, developer tools and
// games holds it, the texts people type into the search to find an entry of
// it, and what they start often: the fixture that says whether the search
// picks what people mean.
#pragma once

#include <span>
#include <string_view>

namespace trevalon::test {

// One folder of the menu: its path below the root ("" for the root itself,
// "/" between folders) and its links, "|" between them; a name without an
// extension is a link (".lnk"), others keep theirs.
struct MenuFolder {
    std::string_view path;
    std::string_view names;
};

// The common programs folder (all users) and the user's programs folder.
std::span<const MenuFolder> all_users_programs();
std::span<const MenuFolder> this_users_programs();

// A text as a person types it and the entry meant: its display name, or
// "folder/display name" where several entries share the name.
struct TypedText {
    std::string_view text;
    std::string_view meant;
};
std::span<const TypedText> typed_texts();

// What the person has started from the menu: the link's file name, how many
// times, and how many days ago the last time was.
struct PastLaunch {
    std::string_view name;
    int times;
    int days_ago;
};
std::span<const PastLaunch> past_launches();

}  // namespace trevalon::test
