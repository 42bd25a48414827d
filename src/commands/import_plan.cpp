#include "commands/import_plan.h"

#include <algorithm>

#include "menu/name_rules.h"
#include "menu/path_text.h"
#include "menu/reserved_names.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

std::u16string folded(std::string_view path) {
    return upper_case(utf8_to_utf16(path));
}

std::string without_trailing_separators(std::string_view path) {
    while (!path.empty() && is_path_separator(path.back()))
        path.remove_suffix(1);
    return std::string(path);
}

// folder + the base name, cut to fit, + tail; empty when a name that had
// something in it has nothing left.
std::string fitted_path(const std::string& folder, std::string_view base, std::string_view tail) {
    const std::string fitted = fit_base_name(base, folder, tail);
    if (fitted.empty() && !base.empty())
        return {};
    return folder + fitted + std::string(tail);
}

bool is_shortcut_file(std::string_view path) {
    const NameParts parts = split_extension(file_name_part(path));
    const std::string extension = ascii_lower(parts.extension);
    return parts.has_dot && (extension == "lnk" || extension == "url");
}

// A name Windows would read as another (a device, or without its final
// dots and blanks) makes an entry nothing can open: a copied shortcut
// keeps the name, and a new link's target would point elsewhere.
bool reserved_source(const std::string& source, PathKind kind) {
    const std::string path = without_trailing_separators(source);
    if (is_shortcut_file(path) && kind != PathKind::directory)
        return is_reserved_name(file_name_part(path));
    return has_reserved_part(path);
}

}  // namespace

bool same_path(std::string_view a, std::string_view b) {
    return folded(a) == folded(b);
}

bool path_is_inside(std::string_view path, std::string_view folder) {
    if (folder.empty() || path.size() <= folder.size())
        return false;
    return same_path(path.substr(0, folder.size()), folder);
}

ImportPlan plan_import(const std::vector<std::string>& paths, std::string_view target_folder,
                       const PathProbe& probe, const PathExists& exists) {
    ImportPlan plan;
    std::vector<std::u16string> planned;
    const PathExists taken = [&](const std::string& candidate) {
        return exists(candidate) ||
               std::find(planned.begin(), planned.end(), folded(candidate)) != planned.end();
    };
    const std::string folder = with_trailing_separator(target_folder);

    for (const std::string& source : paths) {
        const PathKind kind = source.empty() ? PathKind::missing : probe(source);
        ImportStep step;
        step.source = source;
        std::string wanted;
        // Checked first: the probe itself may have reached a device.
        if (reserved_source(source, kind)) {
            plan.skipped.push_back({source, SkipReason::reserved_name});
            continue;
        }
        if (kind == PathKind::missing) {
            plan.skipped.push_back({source, SkipReason::missing});
            continue;
        }
        if (kind == PathKind::directory) {
            // The folder's whole name: a folder has no extension to drop
            // (Node.js stays Node.js). A drive root has only its letter left.
            step.action = ImportAction::link;
            step.link_target = without_trailing_separators(source);
            std::string name = strip_name_characters(file_name_part(step.link_target));
            if (name.empty())
                name = strip_name_characters(step.link_target);
            wanted = fitted_path(folder, name, ".lnk");
        } else if (is_shortcut_file(source)) {
            if (kind == PathKind::empty_file) {
                plan.skipped.push_back({source, SkipReason::empty_shortcut});
                continue;
            }
            step.action = ImportAction::copy;
            const NameParts parts = split_extension(file_name_part(source));
            wanted = fitted_path(folder, parts.base, "." + std::string(parts.extension));
        } else {
            step.action = ImportAction::link;
            step.link_target = source;
            step.working_folder = std::string(folder_part(source));
            wanted = fitted_path(folder, split_extension(file_name_part(source)).base, ".lnk");
        }
        if (wanted.empty()) {
            plan.skipped.push_back({source, SkipReason::no_room});
            continue;
        }
        const std::optional<std::string> target = free_name(wanted, taken);
        if (!target) {
            plan.skipped.push_back({source, SkipReason::no_free_name});
            continue;
        }
        step.target = *target;
        planned.push_back(folded(step.target));
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

std::vector<std::string> sources_to_delete_after_move(const std::vector<ImportStep>& imported,
                                                      std::string_view menu_root,
                                                      std::string_view target_folder,
                                                      std::string_view list_folder) {
    std::vector<std::string> sources;
    if (same_path(with_trailing_separator(target_folder), with_trailing_separator(list_folder)))
        return sources;
    const std::string root = with_trailing_separator(menu_root);
    for (const ImportStep& step : imported) {
        if (step.action == ImportAction::copy && path_is_inside(step.source, root) &&
            !same_path(step.source, step.target)) {
            sources.push_back(step.source);
        }
    }
    return sources;
}

}  // namespace trevalon
