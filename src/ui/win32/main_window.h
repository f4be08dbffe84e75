// The tool's one window, in native Windows controls.
#pragma once

#include <windows.h>

#include <memory>

#include "app/app_state.h"
#include "app/window_job.h"
#include "drop/win32_drop_target.h"
#include "platform/registry.h"
#include "ui/win32/win32_controls.h"

namespace vestrel {

class Win32MainWindow {
 public:
  // `programFolder` holds dic.ini and log.txt; `registry` is searched for the renderer.
  Win32MainWindow(HINSTANCE instance, Text programFolder, std::unique_ptr<Registry> registry);
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;
  ~Win32MainWindow();

  // Creates and shows the window; false when Windows refused.
  bool Create(int show);

  [[nodiscard]] HWND Handle() const { return window_; }
  Win32Controls& controls() { return controls_; }
  AppState& app() { return app_; }
  [[nodiscard]] bool JobRunning() const { return job_.Running(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  HWND Place(Control control, const wchar_t* className, const wchar_t* text, DWORD style,
             RECT bounds);
  void OnCommand(int id, int code);
  void OnMainWindowCreated();
  void OnStartClicked();
  void OnJobFinished();
  void OnClose();
  [[nodiscard]] int Scaled(int pixels) const { return ::MulDiv(pixels, dpi_, 96); }

  HINSTANCE instance_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  HBITMAP banner_ = nullptr;
  HICON icon_ = nullptr;
  Text programFolder_;
  std::unique_ptr<Registry> registry_;
  Win32Controls controls_;
  AppState app_{controls_};
  Win32DropTarget materialFolderDrop_;
  Win32DropTarget dictionaryDrop_;
  bool closeRequested_ = false;
  WindowJob job_;  // last: it goes first, while everything it uses still stands
};

}  // namespace vestrel
