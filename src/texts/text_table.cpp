#include "texts/text_table.h"

#include "texts/scramble.h"

namespace trevalon {

std::string scramble(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        result.push_back(scramble_char(c));
    return result;
}

TextTable::TextTable() {
    map_.reserve(512);
}

void TextTable::set(std::string_view key, std::string_view value) {
    auto it = map_.find(key);
    if (it == map_.end()) {
        map_.emplace(std::string(key), std::string(value));
    } else {
        it->second.assign(value);
    }
}

const std::string& TextTable::text(std::string_view key) {
    auto it = map_.find(key);
    if (it == map_.end())
        it = map_.emplace(std::string(key), std::string()).first;
    return it->second;
}

std::string TextTable::find(std::string_view key) const {
    auto it = map_.find(key);
    return it == map_.end() ? std::string() : it->second;
}

bool TextTable::contains(std::string_view key) const {
    return map_.find(key) != map_.end();
}

void TextTable::unscramble_all() {
    for (auto& [key, value] : map_)
        value = scramble(value);
}

void load_builtin_texts(TextTable& table) {
    for (const auto& entry : builtin_constants())
        table.set(entry.key, entry.stored_value);
    for (const auto& entry : builtin_english())
        table.set(entry.key, entry.stored_value);
    table.unscramble_all();
}

TextTable& texts() {
    static TextTable table;
    return table;
}

}  // namespace trevalon
