// Vestrel: the window program, in native Windows controls.
#include <windows.h>

#include "platform/program.h"
#include "platform/registry.h"
#include "ui/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  vestrel::Win32MainWindow window(instance, vestrel::ProgramFolder(), vestrel::SystemRegistry());
  if (!window.Create(show)) return 1;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND top = ::GetAncestor(message.hwnd, GA_ROOT);
    // Tab and the arrow keys move between the controls, as in a dialog.
    if (top != nullptr && ::IsDialogMessageW(top, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
