// A drop target for one window: files (the file-drop format) and, where
// asked for, Unicode text, handed on as a drop Event.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event.h"

namespace trevalon {

struct DropAccepts {
    bool files = true;
    bool text = false;
};

using DropHandler = std::function<void(const Event& drop)>;
// Told where a drag is over the window (screen coordinates) while it moves,
// and nothing once it leaves or is dropped; the tree marks its target item.
using DropHover = std::function<void(std::optional<POINT> screen_point)>;

// The OLE side of a drop. It copies what was dropped into the Event and
// hands it on; the handler decides what happens. Files are always reported
// to the source as copied, even for a move: the program deletes what it moved
// itself, once the import succeeded, so a source never deletes a file that
// was not taken. Text is taken as a link wherever the source allows one.
// COM interfaces have no virtual destructor by design: objects are released
// through their interface, never deleted through it.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class DropTarget final : public IDropTarget {
  public:
    DropTarget(int control, DropAccepts accepts, DropHandler handler, DropHover hover = {});

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD key_state, POINTL point,
                                   DWORD* effect) override;

  private:
    enum class Carries { nothing, files, text };
    Carries what_it_carries(IDataObject* data) const;
    DWORD effect_for(DWORD key_state, DWORD allowed) const;
    void hover(std::optional<POINT> point) const;

    int control_;
    DropAccepts accepts_;
    DropHandler handler_;
    DropHover hover_;
    Carries entered_ = Carries::nothing;
    std::atomic<ULONG> references_{0};
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// A window registered as a drop target for as long as this lives. The target
// object belongs to the registration; OLE only borrows it until the revoke.
class DropRegistration {
  public:
    // Nothing when the window cannot be registered (OLE not initialised on
    // this thread, or the window has a target already).
    static std::unique_ptr<DropRegistration> create(HWND window, int control, DropAccepts accepts,
                                                    DropHandler handler, DropHover hover = {});
    ~DropRegistration();
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

    HWND window() const { return window_; }
    // The target itself, for tests that drop without a mouse.
    IDropTarget* target() { return target_.get(); }

  private:
    struct Key {};

  public:
    DropRegistration(Key, HWND window, std::unique_ptr<DropTarget> target);

  private:
    HWND window_;
    std::unique_ptr<DropTarget> target_;
};

// What a data object carries: its files (the file-drop format), and its
// Unicode text. Empty when it has none.
std::vector<std::string> dropped_files(IDataObject* data);
std::string dropped_text(IDataObject* data);

}  // namespace trevalon
