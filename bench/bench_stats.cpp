#include "bench_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace trevalon::bench {

Summary summarize(std::vector<double> values) {
    Summary summary;
    summary.runs = static_cast<int>(values.size());
    if (values.empty())
        return summary;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
    summary.p95 = values[std::clamp<std::size_t>(rank, 1, n) - 1];
    return summary;
}

std::string result_line(std::string_view id, std::string_view what, std::string_view unit,
                        const Summary& summary) {
    char numbers[96];
    std::snprintf(numbers, sizeof(numbers), "%.3f\t%.3f\t%d", summary.median, summary.p95,
                  summary.runs);
    std::string line = "result\t";
    line.append(id).append("\t").append(what).append("\t").append(unit).append("\t");
    return line + numbers;
}

}  // namespace trevalon::bench
