#include "commands/undo_texts.h"

#include <string_view>

#include "texts/text_table.h"

namespace trevalon {
namespace {

std::string_view verb_key(EditKind kind) {
    switch (kind) {
        case EditKind::delete_entry:
        case EditKind::delete_folder:
            return "TXT00301";
        case EditKind::rename_entry:
        case EditKind::rename_folder:
            return "TXT00302";
        case EditKind::new_folder:
            return "TXT00303";
        case EditKind::paste:
            return "TXT00304";
        case EditKind::drop:
            return "TXT00305";
        case EditKind::move:
            return "TXT00306";
        case EditKind::cut:
            return "TXT00307";
        case EditKind::add_to_bookmarks:
            return "TXT00308";
    }
    return "TXT00300";
}

}  // namespace

std::string undo_caption(const Edit* newest, const TextTable& texts) {
    if (!newest)
        return texts.find("TXT00300");
    std::string caption = texts.find(verb_key(newest->kind));
    if (!newest->subject.empty())
        caption += " \"" + newest->subject + "\"";
    if (newest->several)
        caption += ", \u2026";
    return caption;
}

std::string undo_refused_text(bool changed_since, const std::string& path, const TextTable& texts) {
    return texts.find(changed_since ? "TXT00310" : "TXT00311") + "\n\n" + path;
}

}  // namespace trevalon
