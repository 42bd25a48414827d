#include "commands/undo_journal.h"

#include <algorithm>

namespace trevalon {

// FNV-1a: enough to tell a file changed by hand from the one the edit left.
void FingerprintBuilder::add(std::string_view bytes) {
    for (const char c : bytes) {
        hash_ ^= static_cast<unsigned char>(c);
        hash_ *= 1099511628211ull;
    }
    size_ += bytes.size();
}

Fingerprint fingerprint_of(std::string_view bytes) {
    FingerprintBuilder builder;
    builder.add(bytes);
    return builder.result();
}

std::optional<Edit> UndoJournal::record(Edit edit) {
    edits_.push_front(std::move(edit));
    if (edits_.size() <= kCapacity)
        return std::nullopt;
    Edit oldest = std::move(edits_.back());
    edits_.pop_back();
    return oldest;
}

std::optional<Edit> UndoJournal::take_newest() {
    if (edits_.empty())
        return std::nullopt;
    Edit edit = std::move(edits_.front());
    edits_.pop_front();
    return edit;
}

std::optional<Edit> UndoJournal::take(int id) {
    const auto found = std::find_if(edits_.begin(), edits_.end(),
                                    [id](const Edit& edit) { return edit.id == id; });
    if (found == edits_.end())
        return std::nullopt;
    Edit edit = std::move(*found);
    edits_.erase(found);
    return edit;
}

const Edit* UndoJournal::find(int id) const {
    const auto found = std::find_if(edits_.begin(), edits_.end(),
                                    [id](const Edit& edit) { return edit.id == id; });
    return found == edits_.end() ? nullptr : &*found;
}

}  // namespace trevalon
