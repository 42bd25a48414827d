// Summaries of repeated timings and the one line format every benchmark
// program prints, which bench/run collects into the table.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon::bench {

struct Summary {
    double median = 0;
    double p95 = 0;  // nearest rank: the smallest value at or above 95 % of the runs
    int runs = 0;
};

// Nothing measured gives zeros.
Summary summarize(std::vector<double> values);

// One result line: "result<TAB>goal id<TAB>what<TAB>unit<TAB>median<TAB>p95<TAB>runs".
// The goal id ties ours and its baseline together ("1.ours", "1.base").
std::string result_line(std::string_view id, std::string_view what, std::string_view unit,
                        const Summary& summary);

// Milliseconds since start, as a double.
inline double elapsed_ms(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace trevalon::bench
