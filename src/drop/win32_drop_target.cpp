#include "drop/win32_drop_target.h"

#include <commctrl.h>
#include <shellapi.h>

namespace vestrel {
namespace {

constexpr UINT_PTR kSubclassId = 0x5645;  // "VE": ours among the box's subclasses
constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which drops across rights use

}  // namespace

void Win32DropTarget::Register(HWND box, Callback callback) {
  if (IsRegistered() || box == nullptr) return;
  // The subclass carries `this` as its reference data: no thunk, no global.
  if (!::SetWindowSubclass(box, OnMessage, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return;
  }
  box_ = box;
  callback_ = std::move(callback);
  ::DragAcceptFiles(box, TRUE);
  // Explorer may run with fewer rights than the program: let its drop messages through.
  for (UINT message :
       {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
    ::ChangeWindowMessageFilterEx(box, message, MSGFLT_ALLOW, nullptr);
  }
}

void Win32DropTarget::Unregister() {
  if (!IsRegistered()) return;
  ::DragAcceptFiles(box_, FALSE);
  ::RemoveWindowSubclass(box_, OnMessage, kSubclassId);
  box_ = nullptr;
  callback_ = nullptr;
}

LRESULT CALLBACK Win32DropTarget::OnMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*id*/, DWORD_PTR self) {
  if (message == WM_DROPFILES) {
    reinterpret_cast<const Win32DropTarget*>(self)->OnDrop(reinterpret_cast<HDROP>(wParam));
    return 0;
  }
  if (message == WM_NCDESTROY) {
    // The box goes first: it must not keep a subclass that points here.
    ::RemoveWindowSubclass(box, OnMessage, kSubclassId);
    reinterpret_cast<Win32DropTarget*>(self)->box_ = nullptr;
  }
  return ::DefSubclassProc(box, message, wParam, lParam);
}

void Win32DropTarget::OnDrop(HDROP drop) const {
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // As long as each path needs: no length is assumed.
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
    if (callback_ && !path.empty()) callback_(path);
  }
  ::DragFinish(drop);
}

}  // namespace vestrel
