// Owning types for the Windows handles and COM objects the program holds.
// One type per kind of handle: no copying, moving allowed, released once.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

namespace trevalon {

// A handle released by Close(h) when it is not the invalid value.
template <typename Handle, auto Close, auto InvalidValue>
class UniqueResource {
  public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != invalid(); }
    Handle release() { return std::exchange(handle_, invalid()); }
    void reset(Handle handle = invalid()) {
        if (handle_ != invalid())
            Close(handle_);
        handle_ = handle;
    }
    // For APIs that return the handle through an out parameter.
    Handle* put() {
        reset();
        return &handle_;
    }

  private:
    static Handle invalid() { return reinterpret_cast<Handle>(static_cast<INT_PTR>(InvalidValue)); }
    Handle handle_ = invalid();
};

namespace detail {
inline void close_handle(HANDLE h) {
    ::CloseHandle(h);
}
inline void close_key(HKEY h) {
    ::RegCloseKey(h);
}
inline void find_close(HANDLE h) {
    ::FindClose(h);
}
inline void find_close_change_notification(HANDLE h) {
    ::FindCloseChangeNotification(h);
}
inline void delete_gdi_object(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void destroy_icon(HICON h) {
    ::DestroyIcon(h);
}
inline void free_library(HMODULE h) {
    ::FreeLibrary(h);
}
inline void destroy_menu(HMENU h) {
    ::DestroyMenu(h);
}
inline void destroy_cursor(HCURSOR h) {
    ::DestroyCursor(h);
}
inline void global_free(HGLOBAL h) {
    ::GlobalFree(h);
}
inline void destroy_image_list(HIMAGELIST h) {
    ::ImageList_Destroy(h);
}
inline void destroy_accelerators(HACCEL h) {
    ::DestroyAcceleratorTable(h);
}
}  // namespace detail

// Kernel objects: processes, threads, files, mutexes.
using UniqueHandle = UniqueResource<HANDLE, detail::close_handle, 0>;
// CreateFile answers INVALID_HANDLE_VALUE instead of null.
using UniqueFile = UniqueResource<HANDLE, detail::close_handle, -1>;
using UniqueFindHandle = UniqueResource<HANDLE, detail::find_close, -1>;
using UniqueChangeNotification = UniqueResource<HANDLE, detail::find_close_change_notification, -1>;
using UniqueKey = UniqueResource<HKEY, detail::close_key, 0>;
using UniqueFont = UniqueResource<HFONT, detail::delete_gdi_object, 0>;
using UniqueBitmap = UniqueResource<HBITMAP, detail::delete_gdi_object, 0>;
using UniqueBrush = UniqueResource<HBRUSH, detail::delete_gdi_object, 0>;
using UniqueIcon = UniqueResource<HICON, detail::destroy_icon, 0>;
using UniqueLibrary = UniqueResource<HMODULE, detail::free_library, 0>;
using UniqueMenu = UniqueResource<HMENU, detail::destroy_menu, 0>;
using UniqueImageList = UniqueResource<HIMAGELIST, detail::destroy_image_list, 0>;
using UniqueAccelerators = UniqueResource<HACCEL, detail::destroy_accelerators, 0>;
// Memory that GlobalAlloc gave us and nobody else owns yet (for the clipboard,
// ownership passes to the system once SetClipboardData succeeds: release()).
using UniqueGlobal = UniqueResource<HGLOBAL, detail::global_free, 0>;

// A locked global memory block, unlocked when the lock ends.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLockGuard() {
        if (data_)
            ::GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* data() const { return data_; }
    SIZE_T size() const { return data_ ? ::GlobalSize(memory_) : 0; }

  private:
    HGLOBAL memory_;
    void* data_;
};

// A device context obtained with GetDC, released with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory device context from CreateCompatibleDC.
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatible_with) : dc_(::CreateCompatibleDC(compatible_with)) {}
    ~MemoryDC() {
        if (dc_)
            ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// An object selected into a device context, put back when the selection ends.
class DCSelection {
  public:
    DCSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~DCSelection() {
        if (previous_ && previous_ != HGDI_ERROR)
            ::SelectObject(dc_, previous_);
    }
    DCSelection(const DCSelection&) = delete;
    DCSelection& operator=(const DCSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The clipboard, open for as long as the session lives.
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner = nullptr) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_)
            ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool is_open() const { return open_; }

  private:
    bool open_;
};

// COM initialised on this thread for the guard's lifetime. Declare it before
// any ComPtr so the pointers are released first.
class ComInit {
  public:
    ComInit() : result_(::CoInitialize(nullptr)) {}
    ~ComInit() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    HRESULT result() const { return result_; }

  private:
    HRESULT result_;
};

// An owned reference to a COM interface.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() {
        if (pointer_)
            std::exchange(pointer_, nullptr)->Release();
    }
    // For CoCreateInstance and QueryInterface.
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface** put() {
        reset();
        return &pointer_;
    }

    template <typename Other>
    HRESULT query(ComPtr<Other>& result) const {
        if (!pointer_)
            return E_POINTER;
        return pointer_->QueryInterface(__uuidof(Other), result.put_void());
    }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace trevalon
