// The notes the program reads back after a run that ended anywhere: a cut
// entry's note and an undo's note. Whatever the bytes, reading never fails
// badly, and what is read is written and read back unchanged. The origin
// check never lets a path through that leaves the menu.
#include "commands/cut_keeper.h"
#include "commands/cut_record.h"
#include "commands/undo_note.h"
#include "fuzz_input.h"
#include "platform/safe_delete.h"

namespace {

using trevalon::fuzz::as_text;
using trevalon::fuzz::require;

bool same(const trevalon::CutRecord& a, const trevalon::CutRecord& b) {
    return a.origin == b.origin && a.pasted == b.pasted && a.fingerprint == b.fingerprint &&
           a.placing == b.placing && a.move == b.move;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = as_text(data, size);
    if (const auto record = trevalon::parse_cut_record(text)) {
        // A value holding a line break cannot be written as one line.
        if (record->origin.find_first_of("\r\n") == std::string::npos &&
            record->placing.find_first_of("\r\n") == std::string::npos) {
            const auto again = trevalon::parse_cut_record(trevalon::format_cut_record(*record));
            require(again && same(*again, *record), "a cut note reads back as it was written");
        }
        const std::vector<std::string> menus{"C:\\Menu\\"};
        if (trevalon::origin_allowed(record->origin, menus)) {
            require(trevalon::is_strictly_inside(record->origin, menus.front()),
                    "an allowed origin lies inside the menu");
            require(record->origin.find('\0') == std::string::npos, "no NUL in an allowed origin");
        }
    }
    if (const auto note = trevalon::parse_undo_note(text)) {
        require(note->done <= note->steps.size(), "no more steps done than there are");
        const auto again = trevalon::parse_undo_note(trevalon::format_undo_note(*note));
        require(again.has_value(), "an undo note reads back");
        require(again->steps.size() == note->steps.size() && again->done == note->done &&
                    again->id == note->id,
                "an undo note reads back as it was written");
    }
    return 0;
}
