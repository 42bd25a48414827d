#include "support/memory_disk.h"

#include "menu/unicode_text.h"

namespace trevalon::test {
namespace {

std::string normal(const std::string& path) {
    std::string result = path;
    for (char& c : result) {
        if (c == '\\')
            c = '/';
    }
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

std::string parent_of(const std::string& path) {
    const std::string normalised = normal(path);
    const std::size_t slash = normalised.rfind('/');
    return slash == std::string::npos ? std::string() : normalised.substr(0, slash);
}

}  // namespace

std::string MemoryDisk::key(const std::string& path) {
    return utf16_to_utf8(upper_case(utf8_to_utf16(normal(path))));
}

void MemoryDisk::put(const std::string& path, Item item) {
    item.path = normal(path);
    items_[key(path)] = std::move(item);
}

void MemoryDisk::add_folder(const std::string& path) {
    const std::string parent = parent_of(path);
    if (!parent.empty() && !find(parent))
        add_folder(parent);
    if (!find(path))
        put(through_links(path), Item{{}, Kind::folder, {}, {}});
}

void MemoryDisk::add_file(const std::string& path, std::string bytes) {
    add_folder(parent_of(path));
    put(through_links(path), Item{{}, Kind::file, std::move(bytes), {}});
}

void MemoryDisk::add_link(const std::string& path, const std::string& target, bool to_folder) {
    add_folder(parent_of(path));
    put(through_links(path),
        Item{{}, to_folder ? Kind::folder_link : Kind::file_link, {}, normal(target)});
}

std::string MemoryDisk::through_links(const std::string& path) const {
    std::string resolved = normal(path);
    // Each folder link above the last part is followed, a bounded number of times.
    for (int hops = 0; hops < 16; ++hops) {
        bool followed = false;
        for (std::size_t at = resolved.find('/'); at != std::string::npos;
             at = resolved.find('/', at + 1)) {
            const auto found = items_.find(key(resolved.substr(0, at)));
            if (found != items_.end() && found->second.kind == Kind::folder_link) {
                resolved = found->second.link_target + resolved.substr(at);
                followed = true;
                break;
            }
        }
        if (!followed)
            break;
    }
    return resolved;
}

const MemoryDisk::Item* MemoryDisk::find_itself(const std::string& path) const {
    const auto found = items_.find(key(through_links(path)));
    return found == items_.end() ? nullptr : &found->second;
}

const MemoryDisk::Item* MemoryDisk::find(const std::string& path) const {
    const Item* item = find_itself(path);
    for (int hops = 0;
         item && hops < 16 && (item->kind == Kind::file_link || item->kind == Kind::folder_link);
         ++hops) {
        item = find_itself(item->link_target);
    }
    return item && (item->kind == Kind::file || item->kind == Kind::folder) ? item : nullptr;
}

bool MemoryDisk::has_children(const std::string& resolved_key) const {
    const auto below = items_.lower_bound(resolved_key + "/");
    return below != items_.end() && below->first.starts_with(resolved_key + "/");
}

bool MemoryDisk::parent_is_folder(const std::string& path) const {
    const Item* parent = find(parent_of(path));
    return parent && parent->kind == Kind::folder;
}

bool MemoryDisk::fails(const std::string& path) const {
    for (const std::string& failing_path : failing) {
        if (key(failing_path) == key(path))
            return true;
    }
    return false;
}

void MemoryDisk::change() {
    if (stop_at_ >= 0 && changes_ >= stop_at_)
        throw Stopped{};
    ++changes_;
}

std::map<std::string, std::string> MemoryDisk::contents() const {
    std::map<std::string, std::string> result;
    for (const auto& [k, item] : items_) {
        switch (item.kind) {
            case Kind::file:
                result[item.path] = item.bytes;
                break;
            case Kind::folder:
                result[item.path] = "/";
                break;
            default:
                result[item.path] = "-> " + item.link_target;
        }
    }
    return result;
}

std::optional<std::string> MemoryDisk::bytes_at(const std::string& path) const {
    const auto found = items_.find(key(path));
    if (found == items_.end() || found->second.kind != Kind::file)
        return std::nullopt;
    return found->second.bytes;
}

std::map<std::string, std::string> MemoryDisk::contents_below(const std::string& folder) const {
    std::map<std::string, std::string> result;
    const std::string below = key(folder) + "/";
    for (const auto& [path, value] : contents()) {
        if (key(path).starts_with(below))
            result[path] = value;
    }
    return result;
}

std::multiset<std::string> MemoryDisk::file_bytes_below(const std::string& folder) const {
    std::multiset<std::string> result;
    const std::string below = key(folder) + "/";
    for (const auto& [k, item] : items_) {
        if (k.starts_with(below) && item.kind == Kind::file)
            result.insert(item.bytes);
    }
    return result;
}

PathState MemoryDisk::state(const std::string& path) const {
    const Item* item = find(path);
    if (!item)
        return find_itself(path) ? PathState::unknown : PathState::missing;
    if (item->kind == Kind::file)
        return PathState::file;
    return has_children(key(item->path)) ? PathState::folder : PathState::empty_folder;
}

bool MemoryDisk::is_link(const std::string& path) const {
    const Item* item = find_itself(path);
    return item && (item->kind == Kind::file_link || item->kind == Kind::folder_link);
}

std::optional<std::vector<DirectoryEntry>> MemoryDisk::list(const std::string& folder) const {
    const Item* item = find(folder);
    if (!item || item->kind != Kind::folder)
        return std::nullopt;
    const std::string below = key(item->path) + "/";
    std::vector<DirectoryEntry> entries;
    for (auto it = items_.lower_bound(below); it != items_.end() && it->first.starts_with(below);
         ++it) {
        if (it->first.find('/', below.size()) != std::string::npos)
            continue;
        DirectoryEntry entry;
        entry.name = it->second.path.substr(it->second.path.rfind('/') + 1);
        entry.is_directory =
            it->second.kind == Kind::folder || it->second.kind == Kind::folder_link;
        entry.is_link = it->second.kind == Kind::folder_link || it->second.kind == Kind::file_link;
        entries.push_back(std::move(entry));
    }
    sort_entries(entries);
    return entries;
}

std::optional<std::uint64_t> MemoryDisk::file_size(const std::string& path) const {
    const Item* item = find(path);
    if (!item || item->kind != Kind::file)
        return std::nullopt;
    return item->bytes.size();
}

std::optional<Fingerprint> MemoryDisk::fingerprint(const std::string& path) const {
    const Item* item = find(path);
    if (!item || item->kind != Kind::file || fails(path))
        return std::nullopt;
    return fingerprint_of(item->bytes);
}

bool MemoryDisk::same_bytes(const std::string& a, const std::string& b) const {
    const Item* first = find(a);
    const Item* second = find(b);
    return first && second && first->kind == Kind::file && second->kind == Kind::file &&
           !fails(a) && !fails(b) && first->bytes == second->bytes;
}

std::optional<std::string> MemoryDisk::read_note(const std::string& path) const {
    const Item* item = find(path);
    if (!item || item->kind != Kind::file || item->bytes.size() > 65536)
        return std::nullopt;
    return item->bytes;
}

bool MemoryDisk::write_note(const std::string& path, std::string_view text) {
    if (fails(path) || !parent_is_folder(path))
        return false;
    const Item* existing = find_itself(path);
    if (existing && existing->kind != Kind::file)
        return false;
    change();
    put(through_links(path), Item{{}, Kind::file, std::string(text), {}});
    return true;
}

bool MemoryDisk::make_folder(const std::string& path) {
    if (fails(path) || find_itself(path) || !parent_is_folder(path))
        return false;
    change();
    put(through_links(path), Item{{}, Kind::folder, {}, {}});
    return true;
}

bool MemoryDisk::copy_file(const std::string& from, const std::string& to) {
    const Item* source = find(from);
    if (fails(from) || fails(to) || !source || source->kind != Kind::file || find_itself(to) ||
        !parent_is_folder(to)) {
        return false;
    }
    const std::string bytes = source->bytes;
    // Two changes: the new file with its first half, then the rest.
    change();
    put(through_links(to), Item{{}, Kind::file, bytes.substr(0, bytes.size() / 2), {}});
    change();
    put(through_links(to), Item{{}, Kind::file, bytes, {}});
    return true;
}

bool MemoryDisk::rename(const std::string& from, const std::string& to) {
    const Item* source = find_itself(from);
    if (fails(from) || fails(to) || !source || !parent_is_folder(to))
        return false;
    const std::string source_path = source->path;
    const std::string old_key = key(source_path);
    const std::string new_path = through_links(to);
    if (find_itself(to) && key(new_path) != old_key)
        return false;
    change();
    std::vector<std::pair<std::string, Item>> moved;
    for (auto it = items_.begin(); it != items_.end();) {
        if (it->first == old_key || it->first.starts_with(old_key + "/")) {
            Item item = it->second;
            item.path = normal(new_path) + item.path.substr(source_path.size());
            moved.emplace_back(item.path, item);
            it = items_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [path, item] : moved)
        put(path, item);
    return true;
}

bool MemoryDisk::remove_file(const std::string& path) {
    const Item* item = find_itself(path);
    if (fails(path) || !item || item->kind == Kind::folder)
        return false;
    change();
    items_.erase(key(item->path));
    return true;
}

bool MemoryDisk::remove_folder(const std::string& path) {
    const Item* item = find_itself(path);
    if (fails(path) || !item || item->kind == Kind::file || item->kind == Kind::file_link)
        return false;
    if (item->kind == Kind::folder && has_children(key(item->path)))
        return false;
    change();
    items_.erase(key(item->path));
    return true;
}

bool MemoryDisk::recycle(const std::string& path) {
    const Item* item = find_itself(path);
    if (fails(path) || !item)
        return false;
    const std::string old_key = key(item->path);
    change();
    for (auto it = items_.begin(); it != items_.end();) {
        if (it->first == old_key || it->first.starts_with(old_key + "/")) {
            bin_.push_back(it->second);
            it = items_.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

bool MemoryDisk::make_link(const ShortcutContents& contents) {
    if (fails(contents.link_file) || find_itself(contents.link_file) ||
        !parent_is_folder(contents.link_file)) {
        return false;
    }
    const std::string bytes = "link to " + contents.target + " in " + contents.working_directory;
    change();
    put(through_links(contents.link_file),
        Item{{}, Kind::file, bytes.substr(0, bytes.size() / 2), {}});
    change();
    put(through_links(contents.link_file), Item{{}, Kind::file, bytes, {}});
    return true;
}

}  // namespace trevalon::test
