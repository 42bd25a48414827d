// The generated tables behind menu/text_fold.h (tools/make-text-fold).
#pragma once

#include <cstddef>
#include <cstdint>

namespace trevalon {

// What a UTF-16 unit is where words are told apart.
enum class CharClass : std::uint8_t {
    separator,     // spaces, punctuation, symbols, controls
    digit,         // decimal digits of any script
    lower,         // lower-case letters
    upper,         // upper-case and title-case letters
    other_letter,  // letters without case, other numbers, surrogates
    mark,          // combining marks: part of the letter before them
};

namespace fold_table {

// A unit outside ASCII and the 0 to 3 units it is compared as.
struct FoldEntry {
    char16_t unit;
    std::uint8_t count;
    char16_t folded[3];
};
extern const FoldEntry kFolds[];  // ascending by unit
extern const std::size_t kFoldCount;

// The class of every unit from `first` up to the next run's first unit.
struct ClassRun {
    char16_t first;
    CharClass kind;
};
extern const ClassRun kClassRuns[];  // ascending, the first starting at 0
extern const std::size_t kClassRunCount;

}  // namespace fold_table
}  // namespace trevalon
