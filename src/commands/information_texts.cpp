#include "commands/information_texts.h"

#include "texts/text_table.h"

namespace trevalon {
namespace {

void add_labelled(std::string& text, const TextTable& texts, const char* label,
                  const std::string& value) {
    text += texts.find(label);
    text += '\n';
    text += value;
    text += "\n\n";
}

}  // namespace

std::string folder_information(bool editable, const SelectedFolder& folder,
                               const TextTable& texts) {
    std::string text = texts.find(editable ? "TXT00228" : "TXT00227");
    text += "\n\n";
    if (!folder.path.empty())
        add_labelled(text, texts, "TXT00229", folder.path);
    return text;
}

std::string entry_information(bool editable, const SelectedEntry& entry, const TextTable& texts) {
    std::string text = texts.find(editable ? "TXT00236" : "TXT00235");
    text += "\n\n";
    if (entry.path != entry.target)
        add_labelled(text, texts, "TXT00237", entry.path);
    if (!entry.target.empty())
        add_labelled(text, texts, "TXT00238", entry.target);
    if (!entry.note.empty()) {
        text += entry.note;
        text += '\n';
    }
    return text;
}

}  // namespace trevalon
