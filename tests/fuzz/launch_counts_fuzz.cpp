// The launch counts' reader on any bytes: no fault; what it reads stays
// within its bound and is written and read back unchanged; and a launch
// recorded on top keeps the record within its bound and readable.
#include "fuzz_input.h"
#include "menu/launch_usage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    const std::string_view bytes = fuzz::as_text(data, size);
    LaunchUsage read = LaunchUsage::parse(bytes);
    fuzz::require(read.entries().size() <= kUsageNamesKept, "the record stays within its bound");
    const std::string saved = read.format();
    fuzz::require(saved.size() <= kUsageFileLimit, "the file stays within its bound");
    const LaunchUsage again = LaunchUsage::parse(saved);
    fuzz::require(again.format() == saved, "the counts read back as they were written");
    fuzz::require(again.entries().size() == read.entries().size(), "no name is lost");

    // The input's first line as a launched name, at the newest time read.
    const std::string_view name = bytes.substr(0, bytes.find('\n'));
    read.record(name, read.latest());
    fuzz::require(read.entries().size() <= kUsageNamesKept, "a launch keeps the bound");
    fuzz::require(LaunchUsage::parse(read.format()).format() == read.format(),
                  "a launch recorded is written and read back");
    return 0;
}
