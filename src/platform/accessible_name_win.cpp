#include "platform/accessible_name_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/wide_win.h"

namespace trevalon {
namespace {

constexpr UINT_PTR kNameSubclass = 0x4e41;

// {618736E0-3C3D-11CF-810C-00AA00389B71}
constexpr IID kAccessibleId{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::map<HWND, std::wstring>& names() {
    static std::map<HWND, std::wstring> named;
    return named;
}

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// The system's object for the control with another name; every other
// question goes to the system's object. COM counts its references: the last
// Release ends it.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* inner, std::wstring name)
        : inner_(inner), name_(std::move(name)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
            IsEqualIID(id, kAccessibleId)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++count_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --count_;
        if (left == 0)
            std::unique_ptr<NamedAccessible>{this};  // the last reference owned it
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names_asked, UINT count,
                                            LCID locale, DISPID* ids) override {
        return inner_->GetIDsOfNames(id, names_asked, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* wrong) override {
        return inner_->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return inner_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return inner_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!is_self(child))
            return inner_->get_accName(child, name);
        if (!name)
            return E_POINTER;
        *name = SysAllocString(name_.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return inner_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return inner_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return inner_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return inner_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return inner_->put_accValue(child, value);
    }

  private:
    ~NamedAccessible() { inner_->Release(); }
    friend struct std::default_delete<NamedAccessible>;

    IAccessible* inner_;
    std::wstring name_;
    long count_ = 1;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);

// The answer to WM_GETOBJECT for the control's own object; nothing when
// oleacc or the system's object is not there (the default answer then).
std::optional<LRESULT> named_object(HWND control, WPARAM wparam, const std::wstring& name) {
    static HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    if (!oleacc)
        return std::nullopt;
    const auto create = reinterpret_cast<CreateStd>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "CreateStdAccessibleObject")));
    const auto from_object = reinterpret_cast<FromObject>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "LresultFromObject")));
    IAccessible* inner = nullptr;
    if (!create || !from_object ||
        FAILED(create(control, OBJID_CLIENT, kAccessibleId, reinterpret_cast<void**>(&inner))) ||
        !inner)
        return std::nullopt;
    auto named = std::make_unique<NamedAccessible>(inner, name);
    const LRESULT answer = from_object(kAccessibleId, wparam, named.get());
    // LresultFromObject holds its own reference; ours goes.
    named.release()->Release();
    return answer;
}

LRESULT CALLBACK named_control_proc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT) {
        const auto found = names().find(control);
        if (found != names().end()) {
            if (const std::optional<LRESULT> answer = named_object(control, wparam, found->second))
                return *answer;
        }
    } else if (message == WM_NCDESTROY) {
        names().erase(control);
        RemoveWindowSubclass(control, named_control_proc, id);
    }
    return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

void set_accessible_name(HWND control, const std::string& name) {
    if (!control)
        return;
    names()[control] = utf8_to_wide(name);
    SetWindowSubclass(control, named_control_proc, kNameSubclass, 0);
}

}  // namespace trevalon
