#include "support/ole_data_win.h"

#include <cstring>

#include "platform/clipboard_win.h"
#include "platform/wide_win.h"

namespace trevalon::test {
namespace {

ComPtr<IDataObject> clipboard_object() {
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.put())))
        data.reset();
    return data;
}

}  // namespace

ComPtr<IDataObject> data_object_with_files(const std::vector<std::string>& paths) {
    if (!copy_files_to_clipboard(paths))
        return {};
    return clipboard_object();
}

ComPtr<IDataObject> data_object_with_text(const std::string& text) {
    const std::wstring wide = utf8_to_wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!memory)
        return {};
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data())
            return {};
        std::memcpy(lock.data(), wide.c_str(), bytes);
    }
    {
        ClipboardSession clipboard;
        if (!clipboard.is_open())
            return {};
        EmptyClipboard();
        if (!SetClipboardData(CF_UNICODETEXT, memory.get()))
            return {};
        memory.release();
    }
    return clipboard_object();
}

}  // namespace trevalon::test
