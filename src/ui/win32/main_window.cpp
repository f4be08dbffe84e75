#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <array>
#include <string_view>

#include "app/rename_job.h"
#include "app/startup.h"
#include "app/status_texts.h"
#include "platform/windows_text.h"
#include "ui/jpeg_pixels.h"
#include "ui/win32/resources.h"

namespace vestrel {
namespace {

constexpr wchar_t kClassName[] = L"VestrelMainWindow";
constexpr wchar_t kTitle[] = L"Vestrel - @Harnoq";
constexpr int kOuterWidth = 430;
constexpr int kOuterHeight = 480;
constexpr int kFirstId = 100;  // a child's id: kFirstId plus its control's number

int IdOf(Control control) {
  return kFirstId + static_cast<int>(control);
}

bool IsEditBox(Control control) {
  return control == Control::编辑框_ksmp || control == Control::编辑框_Dic;
}

// The banner from the program's resources, decoded into a bitmap the static control shows.
HBITMAP LoadBanner(HINSTANCE instance) {
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(kBannerResource), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return nullptr;
  auto pixels = DecodeJpegPixels(
      std::string_view(static_cast<const char*>(bytes), ::SizeofResource(instance, found)));
  if (!pixels) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels->width;
  info.bmiHeader.biHeight = -pixels->height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  auto* out = static_cast<unsigned char*>(bits);
  const std::size_t count = static_cast<std::size_t>(pixels->width) * pixels->height;
  for (std::size_t i = 0; i < count; ++i) {  // RGB to the bitmap's BGRX
    out[i * 4 + 0] = pixels->rgb[i * 3 + 2];
    out[i * 4 + 1] = pixels->rgb[i * 3 + 1];
    out[i * 4 + 2] = pixels->rgb[i * 3 + 0];
    out[i * 4 + 3] = 0;
  }
  return bitmap;
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance, Text programFolder,
                                 std::unique_ptr<Registry> registry)
    : instance_(instance),
      programFolder_(std::move(programFolder)),
      registry_(std::move(registry)) {}

Win32MainWindow::~Win32MainWindow() {
  job_.StopAndWait();
  materialFolderDrop_.Unregister();
  dictionaryDrop_.Unregister();
  if (window_ != nullptr) ::DestroyWindow(window_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(boldFont_),
                         static_cast<HGDIOBJ>(banner_)}) {
    if (object != nullptr) ::DeleteObject(object);
  }
  if (icon_ != nullptr) ::DestroyIcon(icon_);
}

bool Win32MainWindow::Create(int show) {
  INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&common);
  dpi_ = ScreenDpi();
  icon_ = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0,
                                          0, LR_DEFAULTSIZE | LR_SHARED));

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = icon_;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);

  // A fixed frame with the system menu, minimise and close: no resizing, no maximising.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const int width = Scaled(kOuterWidth);
  const int height = Scaled(kOuterHeight);
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = ::CreateWindowExW(0, kClassName, kTitle, style, left, top, width, height, nullptr,
                              nullptr, instance_, this);
  if (window_ == nullptr) return false;
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  OnMainWindowCreated();
  return true;
}

LRESULT CALLBACK Win32MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      controls_.Attach(window_);
      BuildControls();
      return 0;
    case kApplyMessage:
      controls_.Drain();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      // Labels and boxes on the window's own face, not on a white ground.
      auto dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      // The boxes get their own handling of drops back before they go.
      materialFolderDrop_.Unregister();
      dictionaryDrop_.Unregister();
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

HWND Win32MainWindow::Place(Control control, const wchar_t* className, const wchar_t* text,
                            DWORD style, RECT bounds) {
  const DWORD extended = IsEditBox(control) ? WS_EX_CLIENTEDGE : 0;
  HWND widget = ::CreateWindowExW(
      extended, className, text, WS_CHILD | WS_VISIBLE | style, Scaled(bounds.left),
      Scaled(bounds.top), Scaled(bounds.right), Scaled(bounds.bottom), window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(control))), instance_, nullptr);
  ::SendMessageW(widget, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return widget;
}

void Win32MainWindow::BuildControls() {
  const int fontHeight = -Scaled(12);
  font_ = ::CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                        L"Microsoft YaHei");
  boldFont_ = ::CreateFontW(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                            DEFAULT_PITCH, L"Microsoft YaHei");
  banner_ = LoadBanner(instance_);

  // Bounds as left, top, width, height at 96 dots per inch.
  HWND picture =
      Place(Control::图片框1, L"STATIC", nullptr, SS_BITMAP | SS_REALSIZECONTROL, {2, 2, 420, 60});
  // SS_REALSIZECONTROL keeps the control's size, stretching the picture to it.
  if (banner_ != nullptr) {
    ::SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_));
  }
  Place(Control::标签1, L"STATIC", L"材质文件夹:", SS_LEFT | SS_CENTERIMAGE, {62, 77, 136, 32});
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD check = WS_TABSTOP | BS_AUTOCHECKBOX;
  struct Child {
    Control control;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    RECT bounds;
  };
  const std::array<Child, 13> children = {{
      {Control::编辑框_ksmp, L"EDIT", L"", edit, {62, 109, 300, 32}},
      {Control::标签2, L"STATIC", L"字典文件:", SS_LEFT | SS_CENTERIMAGE, {62, 141, 136, 32}},
      {Control::选择框_Invert, L"BUTTON", L"反向", check, {307, 145, 55, 24}},
      {Control::编辑框_Dic, L"EDIT", L"", edit, {62, 173, 300, 32}},
      {Control::选择框2, L"BUTTON", L"文件夹名称", check, {62, 213, 120, 24}},
      {Control::选择框_DoubleL2, L"BUTTON", L"双语", check, {242, 214, 100, 23}},
      {Control::选择框1, L"BUTTON", L"材质名称", check, {62, 245, 120, 24}},
      {Control::选择框_DoubleL1, L"BUTTON", L"双语", check, {242, 245, 100, 24}},
      {Control::单选框1,
       L"BUTTON",
       L"从文件名",
       WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
       {62, 278, 120, 24}},
      {Control::单选框2, L"BUTTON", L"从属性", BS_AUTORADIOBUTTON, {242, 278, 120, 24}},
      {Control::caption_msg,
       L"STATIC",
       L"",
       WS_GROUP | SS_LEFT | SS_CENTERIMAGE | SS_NOTIFY,
       {63, 306, 298, 32}},
      {Control::进度条1, PROGRESS_CLASSW, L"", 0, {62, 340, 300, 16}},
      {Control::按钮_Start, L"BUTTON", L"开始", WS_TABSTOP | BS_PUSHBUTTON, {62, 370, 300, 48}},
  }};
  for (const Child& child : children) {
    HWND widget = Place(child.control, child.className, child.text, child.style, child.bounds);
    if (child.control == Control::按钮_Start) {
      ::SendMessageW(widget, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    }
    if (child.control == Control::进度条1) ::SendMessageW(widget, PBM_SETRANGE32, 0, 100);
    if (IsEditBox(child.control)) {
      // No length limit of the box's own: a path may be as long as the system allows.
      ::SendMessageW(widget, EM_SETLIMITTEXT, 0, 0);
    }
    controls_.Bind(child.control, widget);
  }
  controls_.Bind(Control::图片框1, picture);
}

void Win32MainWindow::OnMainWindowCreated() {
  vestrel::OnMainWindowCreated(app_, programFolder_, *registry_);
  materialFolderDrop_.Register(controls_.Widget(Control::编辑框_ksmp),
                               [this](const std::wstring& path) {
                                 if (auto gbk = windows::GbkFromWide(path)) {
                                   vestrel::OnMaterialFolderDropped(controls_, *gbk);
                                 } else {
                                   // Start will refuse it.
                                   controls_.SetUnholdableText(Control::编辑框_ksmp, path);
                                 }
                               });
  dictionaryDrop_.Register(controls_.Widget(Control::编辑框_Dic), [this](const std::wstring& path) {
    if (auto gbk = windows::GbkFromWide(path)) vestrel::OnDictionaryDropped(controls_, *gbk);
  });
}

void Win32MainWindow::OnCommand(int id, int code) {
  const int index = id - kFirstId;
  if (index < 0 || index >= static_cast<int>(kControlCount)) return;
  const auto control = static_cast<Control>(index);
  if (control == Control::按钮_Start && code == BN_CLICKED) {
    OnStartClicked();
  } else if (IsCheckable(control) && code == BN_CLICKED) {
    controls_.OnUserClicked(control);
  } else if (IsEditBox(control) && code == EN_CHANGE) {
    controls_.OnUserEdited(control);
  } else if (control == Control::caption_msg && code == STN_DBLCLK) {
    SaveFailureLog(app_.failureLog, programFolder_, controls_);
  }
}

void Win32MainWindow::OnStartClicked() {
  job_.Start(
      app_,
      controls_.HoldsUnholdableText(Control::编辑框_ksmp) ||
          controls_.HoldsUnholdableText(Control::编辑框_Dic),
      [this](std::function<void()> work) { controls_.Apply(std::move(work)); },
      [this] { OnJobFinished(); });
}

void Win32MainWindow::OnJobFinished() {
  job_.Finish(controls_);
  if (closeRequested_ && window_ != nullptr) ::DestroyWindow(window_);
}

void Win32MainWindow::OnClose() {
  if (!job_.Running()) {
    ::DestroyWindow(window_);
    return;
  }
  // Never mid-file: the job stops after the item at hand, then the window closes.
  closeRequested_ = true;
  job_.RequestStop();
  controls_.SetStatus(kStatusStopping);
}

}  // namespace vestrel
