#include "platform/drag_source_win.h"

#include <shlobj.h>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

// An item list the shell allocated, freed with CoTaskMemFree.
class ShellItemList {
  public:
    ShellItemList() = default;
    ~ShellItemList() { CoTaskMemFree(list_); }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    PIDLIST_ABSOLUTE* put() { return &list_; }
    PIDLIST_ABSOLUTE get() const { return list_; }

  private:
    PIDLIST_ABSOLUTE list_ = nullptr;
};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// Lives on the stack for one drag: DoDragDrop holds it only while it runs.
class DragSource final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD key_state) override {
        if (escape || (key_state & MK_LBUTTON && key_state & MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        if (!(key_state & (MK_LBUTTON | MK_RBUTTON)))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

ComPtr<IDataObject> file_data_object(std::string_view path) {
    ComPtr<IDataObject> data;
    ShellItemList item;
    if (FAILED(SHParseDisplayName(utf8_to_wide(path).c_str(), nullptr, item.put(), 0, nullptr)))
        return data;
    PCUITEMID_CHILD child = nullptr;
    ComPtr<IShellFolder> parent;
    if (FAILED(SHBindToParent(item.get(), IID_IShellFolder, parent.put_void(), &child)))
        return data;
    if (FAILED(
            parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.put_void()))) {
        data.reset();
    }
    return data;
}

DWORD drag_file(std::string_view path, DWORD allowed) {
    ComPtr<IDataObject> data = file_data_object(path);
    if (!data)
        return DROPEFFECT_NONE;
    DragSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(data.get(), &source, allowed, &effect) != DRAGDROP_S_DROP) {
        return DROPEFFECT_NONE;
    }
    return effect;
}

}  // namespace trevalon
