#include "support/test_links_win.h"

#include <windows.h>
#include <shlobj.h>

#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace trevalon::test {

bool make_test_link(std::string_view link_path, std::string_view target,
                    std::string_view arguments) {
    create_folders(folder_of(link_path));
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void()))) {
        return false;
    }
    link->SetPath(utf8_to_wide(target).c_str());
    if (!arguments.empty())
        link->SetArguments(utf8_to_wide(arguments).c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link.query(file)))
        return false;
    return SUCCEEDED(file->Save(utf8_to_wide(link_path).c_str(), TRUE));
}

}  // namespace trevalon::test
