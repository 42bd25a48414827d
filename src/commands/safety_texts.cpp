#include "commands/safety_texts.h"

#include <string_view>

#include "menu/path_text.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

std::string listed(const std::vector<std::string>& lines, const TextTable& texts) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kMostListed; ++i) {
        if (i > 0)
            text += "\n";
        text += lines[i];
    }
    if (lines.size() > kMostListed)
        text += "\n" + texts.find("TXT00417") + " " + std::to_string(lines.size() - kMostListed);
    return text;
}

void add_part(std::string& message, const std::string& part) {
    if (!message.empty())
        message += "\n\n";
    message += part;
}

std::string_view reason_key(SkipReason reason) {
    switch (reason) {
        case SkipReason::missing:
            return "TXT00406";
        case SkipReason::empty_shortcut:
            return "TXT00407";
        case SkipReason::no_free_name:
            return "TXT00408";
        case SkipReason::no_room:
            return "TXT00409";
        case SkipReason::reserved_name:
            return "TXT00410";
        case SkipReason::failed:
            return "TXT00411";
    }
    return "TXT00411";
}

}  // namespace

std::string settle_report_text(const SettleReport& report, const TextTable& texts) {
    std::string message;
    if (!report.elsewhere.empty())
        add_part(message, texts.find("TXT00401") + "\n\n" + listed(report.elsewhere, texts));
    if (!report.recovered.empty())
        add_part(message, texts.find("TXT00402") + "\n\n" + listed(report.recovered, texts));
    if (!report.stuck.empty())
        add_part(message, texts.find("TXT00403") + "\n\n" + listed(report.stuck, texts));
    return message;
}

std::string skipped_text(const std::vector<SkippedPath>& skipped, const TextTable& texts) {
    if (skipped.empty())
        return {};
    std::vector<std::string> lines;
    for (const SkippedPath& item : skipped) {
        std::string name(file_name_part(without_trailing_separator(item.source)));
        if (name.empty())
            name = item.source;
        // Quoted, so a name ending in a blank shows where it ends.
        lines.push_back("\"" + name + "\": " + texts.find(reason_key(item.reason)));
    }
    return texts.find("TXT00405") + "\n\n" + listed(lines, texts);
}

std::string reserved_name_text(const std::string& path, const TextTable& texts) {
    return texts.find("TXT00404") + "\n\n" + std::string(file_name_part(path));
}

}  // namespace trevalon
