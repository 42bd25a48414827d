#include "platform/shortcut_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "menu/internet_shortcut.h"
#include "platform/legacy_text_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace trevalon {

namespace {

// Ample for any path or argument list a link can hold.
constexpr int kTextBuffer = 32768;

HRESULT make_link(ComPtr<IShellLinkW>& link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                            link.put_void());
}

template <typename Getter>
std::string read_text(Getter get) {
    std::wstring buffer(kTextBuffer, L'\0');
    if (FAILED(get(buffer.data(), kTextBuffer)))
        return {};
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return wide_to_utf8(buffer);
}

bool load(IShellLinkW* link, ComPtr<IPersistFile>& file, std::string_view link_file) {
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())))
        return false;
    // The file on disk, also when Windows keeps its name for a device.
    return SUCCEEDED(file->Load(file_path_wide(link_file).c_str(), STGM_READ));
}

}  // namespace

bool create_shortcut(const ShortcutContents& contents) {
    ComInit com;
    ComPtr<IShellLinkW> link;
    if (FAILED(make_link(link)))
        return false;
    link->SetPath(utf8_to_wide(contents.target).c_str());
    link->SetArguments(utf8_to_wide(contents.arguments).c_str());
    link->SetWorkingDirectory(utf8_to_wide(contents.working_directory).c_str());
    link->SetDescription(utf8_to_wide(contents.description).c_str());
    link->SetShowCmd(contents.show_command);
    link->SetHotkey(0);
    link->SetIconLocation(utf8_to_wide(contents.icon_file).c_str(), contents.icon_index);
    ComPtr<IPersistFile> file;
    if (FAILED(link.query(file)))
        return false;
    return SUCCEEDED(file->Save(file_path_wide(contents.link_file).c_str(), TRUE));
}

std::optional<LinkFields> read_shortcut_resolved(std::string_view link_file) {
    ComInit com;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(make_link(link)) || !load(link.get(), file, link_file) ||
        FAILED(link->Resolve(nullptr, SLR_NO_UI))) {
        return std::nullopt;
    }
    LinkFields fields;
    fields.target = read_text([&](wchar_t* b, int n) { return link->GetPath(b, n, nullptr, 0); });
    fields.arguments = read_text([&](wchar_t* b, int n) { return link->GetArguments(b, n); });
    return fields;
}

std::string read_shortcut(std::string_view link_file) {
    const LinkFields fields = read_shortcut_resolved(link_file).value_or(LinkFields{});
    return join_link_fields(fields.target, fields.arguments);
}

std::optional<ShortcutContents> read_shortcut_contents(std::string_view link_file) {
    ComInit com;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(make_link(link)) || !load(link.get(), file, link_file))
        return std::nullopt;
    ShortcutContents contents;
    contents.link_file = link_file;
    contents.target =
        read_text([&](wchar_t* b, int n) { return link->GetPath(b, n, nullptr, SLGP_RAWPATH); });
    contents.arguments = read_text([&](wchar_t* b, int n) { return link->GetArguments(b, n); });
    contents.working_directory =
        read_text([&](wchar_t* b, int n) { return link->GetWorkingDirectory(b, n); });
    contents.description = read_text([&](wchar_t* b, int n) { return link->GetDescription(b, n); });
    int show = 0;
    if (SUCCEEDED(link->GetShowCmd(&show)))
        contents.show_command = show;
    int index = 0;
    contents.icon_file =
        read_text([&](wchar_t* b, int n) { return link->GetIconLocation(b, n, &index); });
    contents.icon_index = index;
    return contents;
}

int convert_internet_shortcuts(std::string_view folder) {
    return convert_internet_shortcuts(folder, create_shortcut, legacy_to_utf8);
}

}  // namespace trevalon
