// The keyed text table: every text the user sees and the program's configured
// names (folders, settings file, registry key, addresses) are looked up here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <span>
#include <unordered_map>

namespace trevalon {

class TextTable {
  public:
    TextTable();

    // Inserts or replaces one value (used while filling the table).
    void set(std::string_view key, std::string_view value);

    // Get-or-add: the value of key; a missing key is added with an empty value.
    const std::string& text(std::string_view key);

    // Find-only: the value of key, or the empty string; never adds a key.
    std::string find(std::string_view key) const;

    bool contains(std::string_view key) const;
    std::size_t size() const { return map_.size(); }

    // Replaces every value by its unscrambled form. Called once after filling.
    void unscramble_all();

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> map_;
};

// The constants list and the English list, in their built-in order, with
// their values in the stored (scrambled) form.
struct BuiltinText {
    std::string_view key;
    std::string_view stored_value;
};
std::span<const BuiltinText> builtin_constants();
std::span<const BuiltinText> builtin_english();

// Fills the table from both built-in lists (constants first) and unscrambles
// it: the first step of start-up.
void load_builtin_texts(TextTable& table);

// The program's one table, filled at start-up and read everywhere after.
TextTable& texts();

// Shorthands for the program's table: get-or-add and find-only.
inline const std::string& text(std::string_view key) {
    return texts().text(key);
}
inline std::string find_text(std::string_view key) {
    return texts().find(key);
}

}  // namespace trevalon
