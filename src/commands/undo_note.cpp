#include "commands/undo_note.h"

#include "commands/note_lines.h"

#include <array>

namespace trevalon {
namespace {

constexpr std::array kActions{
    std::pair{UndoAction::remove_made_file, std::string_view("remove_made_file")},
    std::pair{UndoAction::remove_made_folder, std::string_view("remove_made_folder")},
    std::pair{UndoAction::restore_file, std::string_view("restore_file")},
    std::pair{UndoAction::restore_folder, std::string_view("restore_folder")},
    std::pair{UndoAction::restore_missing, std::string_view("restore_missing")},
    std::pair{UndoAction::rename_back, std::string_view("rename_back")},
};

std::vector<std::string_view> fields(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t bar = text.find('|');
        parts.push_back(text.substr(0, bar));
        if (bar == std::string_view::npos)
            return parts;
        text.remove_prefix(bar + 1);
    }
}

std::optional<UndoStep> parse_step(std::string_view text) {
    const std::vector<std::string_view> parts = fields(text);
    if (parts.size() != 6)
        return std::nullopt;
    UndoStep step;
    bool known = false;
    for (const auto& [action, name] : kActions) {
        if (parts[0] == name) {
            step.action = action;
            known = true;
        }
    }
    if (!known || parts[1].empty())
        return std::nullopt;
    step.path = std::string(parts[1]);
    step.original = std::string(parts[2]);
    step.kept = std::string(parts[3]);
    if (!parts[4].empty()) {
        const auto size = note_number<std::uint64_t>(parts[4]);
        const auto hash = note_number<std::uint64_t>(parts[5], 16);
        if (!size || !hash)
            return std::nullopt;
        step.fingerprint = Fingerprint{*size, *hash};
    }
    return step;
}

}  // namespace

std::string format_undo_note(const UndoNote& note) {
    std::string text = "id=" + std::to_string(note.id) + "\r\n";
    text += "cut=" + note.cut_entry + "\r\n";
    text += "done=" + std::to_string(note.done) + "\r\n";
    for (const UndoStep& step : note.steps) {
        std::string_view action;
        for (const auto& [kind, name] : kActions) {
            if (kind == step.action)
                action = name;
        }
        text += "step=";
        text += action;
        text += "|" + step.path + "|" + step.original + "|" + step.kept + "|";
        if (step.fingerprint) {
            text +=
                std::to_string(step.fingerprint->size) + "|" + hex_number(step.fingerprint->hash);
        } else {
            text += "|";
        }
        text += "\r\n";
    }
    return text;
}

std::optional<UndoNote> parse_undo_note(std::string_view text) {
    UndoNote note;
    bool has_id = false;
    for (const std::string_view line : note_lines(text)) {
        if (line.starts_with("id=")) {
            const auto id = note_number<int>(line.substr(3));
            if (!id)
                return std::nullopt;
            note.id = *id;
            has_id = true;
        } else if (line.starts_with("cut=")) {
            note.cut_entry = std::string(line.substr(4));
        } else if (line.starts_with("done=")) {
            const auto done = note_number<std::size_t>(line.substr(5));
            if (!done)
                return std::nullopt;
            note.done = *done;
        } else if (line.starts_with("step=")) {
            std::optional<UndoStep> step = parse_step(line.substr(5));
            if (!step)
                return std::nullopt;
            note.steps.push_back(std::move(*step));
        }
    }
    if (!has_id || note.done > note.steps.size())
        return std::nullopt;
    return note;
}

}  // namespace trevalon
