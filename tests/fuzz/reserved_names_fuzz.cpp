// The literal path form on any path: it is only ever made of an absolute
// path without "." or ".." parts, keeps every part in order, and a path
// with a reserved part always gets a form that names the file on disk.
#include "fuzz_input.h"
#include "menu/reserved_names.h"

namespace {

using trevalon::fuzz::as_text;
using trevalon::fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(as_text(data, size));
    const std::string literal = trevalon::literal_path_form(path);
    if (!literal.empty()) {
        require(literal.starts_with("\\\\?\\"), "the literal form starts with its prefix");
        require(literal.find('/') == std::string::npos, "no forward slash in the literal form");
        require(literal.find("\\.\\") == std::string::npos &&
                    literal.find("\\..\\") == std::string::npos && !literal.ends_with("\\..") &&
                    !literal.ends_with("\\."),
                "no dot parts in the literal form");
        require(literal.find("\\\\", 4) == std::string::npos, "no doubled separators");
    }
    const std::string chosen = trevalon::file_system_path(path);
    require(chosen == path || chosen == literal, "the plain path or its literal form");
    if (trevalon::has_reserved_part(path) && !literal.empty())
        require(chosen == literal, "a reserved part always gets the literal form");
    return 0;
}
