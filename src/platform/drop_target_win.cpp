#include "platform/drop_target_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/handles_win.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

FORMATETC format_of(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offers(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = format_of(format);
    return data && data->QueryGetData(&wanted) == S_OK;
}

// The medium of one format, released when it goes.
class Medium {
  public:
    Medium(IDataObject* data, CLIPFORMAT format) {
        FORMATETC wanted = format_of(format);
        got_ =
            data && SUCCEEDED(data->GetData(&wanted, &medium_)) && medium_.tymed == TYMED_HGLOBAL;
    }
    ~Medium() {
        if (got_)
            ReleaseStgMedium(&medium_);
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    HGLOBAL memory() const { return got_ ? medium_.hGlobal : nullptr; }

  private:
    STGMEDIUM medium_{};
    bool got_ = false;
};

}  // namespace

std::vector<std::string> dropped_files(IDataObject* data) {
    std::vector<std::string> files;
    Medium medium(data, CF_HDROP);
    if (!medium.memory())
        return files;
    GlobalLockGuard lock(medium.memory());
    if (!lock.data())
        return files;
    auto drop = static_cast<HDROP>(lock.data());
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
        if (!name.empty())
            files.push_back(wide_to_utf8(name));
    }
    return files;
}

std::string dropped_text(IDataObject* data) {
    Medium medium(data, CF_UNICODETEXT);
    if (!medium.memory())
        return {};
    GlobalLockGuard lock(medium.memory());
    if (!lock.data())
        return {};
    // The block may be larger than the text and need not end in a zero.
    const auto* text = static_cast<const wchar_t*>(lock.data());
    return wide_to_utf8(std::wstring_view(text, wcsnlen(text, lock.size() / sizeof(wchar_t))));
}

DropTarget::DropTarget(int control, DropAccepts accepts, DropHandler handler, DropHover hover)
    : control_(control),
      accepts_(accepts),
      handler_(std::move(handler)),
      hover_(std::move(hover)) {}

void DropTarget::hover(std::optional<POINT> point) const {
    if (hover_)
        hover_(point);
}

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID id, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The count is kept for OLE's sake; the registration owns the object.
ULONG STDMETHODCALLTYPE DropTarget::AddRef() {
    return ++references_;
}
ULONG STDMETHODCALLTYPE DropTarget::Release() {
    return --references_;
}

DropTarget::Carries DropTarget::what_it_carries(IDataObject* data) const {
    if (accepts_.files && offers(data, CF_HDROP))
        return Carries::files;
    if (accepts_.text && offers(data, CF_UNICODETEXT))
        return Carries::text;
    return Carries::nothing;
}

DWORD DropTarget::effect_for(DWORD key_state, DWORD allowed) const {
    if (entered_ == Carries::nothing)
        return DROPEFFECT_NONE;
    // A dropped address becomes a link to it, so a source that offers only
    // a link (as some browsers do for their addresses) is welcome.
    if (entered_ == Carries::text && (allowed & DROPEFFECT_LINK))
        return DROPEFFECT_LINK;
    // Shift asks for a move, as in the Explorer; otherwise a copy where allowed.
    if (entered_ == Carries::files && (key_state & MK_SHIFT) && !(key_state & MK_CONTROL) &&
        (allowed & DROPEFFECT_MOVE)) {
        return DROPEFFECT_MOVE;
    }
    if (allowed & DROPEFFECT_COPY)
        return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                                                DWORD* effect) {
    if (!effect)
        return E_INVALIDARG;
    entered_ = what_it_carries(data);
    *effect = effect_for(key_state, *effect);
    if (*effect != DROPEFFECT_NONE)
        hover(POINT{point.x, point.y});
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD key_state, POINTL point, DWORD* effect) {
    if (!effect)
        return E_INVALIDARG;
    *effect = effect_for(key_state, *effect);
    if (*effect != DROPEFFECT_NONE)
        hover(POINT{point.x, point.y});
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
    entered_ = Carries::nothing;
    hover(std::nullopt);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD key_state, POINTL point,
                                           DWORD* effect) {
    if (!effect)
        return E_INVALIDARG;
    entered_ = what_it_carries(data);
    const DWORD chosen = effect_for(key_state, *effect);
    entered_ = Carries::nothing;
    // The handler finds the target as it was marked; the mark goes after it.
    Event event;
    event.kind = EventKind::kDrop;
    event.window = kMainWindowNumber;
    event.control = control_;
    event.drop_is_move = chosen == DROPEFFECT_MOVE;
    event.drop_x = point.x;
    event.drop_y = point.y;
    if (chosen != DROPEFFECT_NONE && accepts_.files)
        event.dropped_files = dropped_files(data);
    if (chosen != DROPEFFECT_NONE && event.dropped_files.empty() && accepts_.text)
        event.dropped_text = dropped_text(data);
    if (event.dropped_files.empty() && event.dropped_text.empty()) {
        *effect = DROPEFFECT_NONE;
        hover(std::nullopt);
        return S_OK;
    }
    // A link stays a link; anything else is reported as a copy (see above).
    *effect = chosen == DROPEFFECT_LINK ? DROPEFFECT_LINK : DROPEFFECT_COPY;
    if (handler_)
        handler_(event);
    hover(std::nullopt);
    return S_OK;
}

std::unique_ptr<DropRegistration> DropRegistration::create(HWND window, int control,
                                                           DropAccepts accepts, DropHandler handler,
                                                           DropHover hover) {
    auto target =
        std::make_unique<DropTarget>(control, accepts, std::move(handler), std::move(hover));
    if (!window || FAILED(RegisterDragDrop(window, target.get())))
        return nullptr;
    return std::make_unique<DropRegistration>(Key{}, window, std::move(target));
}

DropRegistration::DropRegistration(Key, HWND window, std::unique_ptr<DropTarget> target)
    : window_(window), target_(std::move(target)) {}

DropRegistration::~DropRegistration() {
    RevokeDragDrop(window_);
}

}  // namespace trevalon
