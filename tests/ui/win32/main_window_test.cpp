// The native window under Wine or Windows: controls, Start, drops, the log and closing.
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <functional>
#include <thread>

#include "app/status_texts.h"
#include "platform/codepage.h"
#include "platform/windows_text.h"
#include "support/temp_dir.h"

namespace vestrel {
namespace {

using testing::Gbk;
using testing::ReadFile;
using testing::TempDir;

class NoRegistry final : public Registry {
 public:
  [[nodiscard]] bool HasValue(const Text&, const Text&) const override { return false; }
  [[nodiscard]] Text ReadText(const Text&, const Text&) const override { return {}; }
};

std::wstring Wide(const Text& gbk) {
  return windows::WideFromGbk(gbk).value_or(L"");
}

// Runs the thread's messages until `done` says so; false after a minute without.
bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // the closed window's
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void Pump() {
  int rounds = 0;
  PumpUntil([&rounds] { return ++rounds > 3; });
}

class Win32WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<Win32MainWindow> Open() {
    auto window = std::make_unique<Win32MainWindow>(
        ::GetModuleHandleW(nullptr), dir_.TextPath("program"), std::make_unique<NoRegistry>());
    EXPECT_TRUE(window->Create(SW_SHOWNOACTIVATE));
    Pump();
    return window;
  }
  static HWND Widget(Win32MainWindow& window, Control control) {
    return window.controls().Widget(control);
  }
  static void Type(Win32MainWindow& window, Control box, const Text& gbk) {
    ::SetWindowTextW(Widget(window, box), Wide(gbk).c_str());
    Pump();
  }
  static void Click(Win32MainWindow& window, Control control) {
    ::SendMessageW(Widget(window, control), BM_CLICK, 0, 0);
    Pump();
  }
  static std::wstring Shown(Win32MainWindow& window, Control control) {
    return WindowText(Widget(window, control));
  }
  // What Explorer hands over on a drop: the paths after a DROPFILES header, each ended by a
  // zero, the list by another.
  static void Drop(Win32MainWindow& window, Control box, const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(header + 1);
    for (const auto& path : paths) {
      std::copy(path.begin(), path.end(), names);
      names += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    ::PostMessageW(Widget(window, box), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    Pump();
  }
  void WriteLibrary() {
    dir_.Write("dic.ini", TextToBytes(Gbk("[dic]\r\nGold=金\r\nMetal=金属\r\n")));
    dir_.Write("lib/Metal/Gold.mtl", "#define material \"Gold\" {}");
    dir_.Write("lib/Metal/Copper.mtl", "#define material \"Copper\" {}");
  }

  TempDir dir_;
};

TEST_F(Win32WindowTest, StartsWithTheTitleAndTheControlsOfTheTable) {
  auto window = Open();
  EXPECT_EQ(WindowText(window->Handle()), L"Vestrel - @Harnoq");
  EXPECT_EQ(Shown(*window, Control::按钮_Start), L"开始");
  EXPECT_TRUE(window->controls().IsChecked(Control::单选框1));
  EXPECT_EQ(::SendMessageW(Widget(*window, Control::单选框1), BM_GETCHECK, 0, 0), BST_CHECKED);
  // A fixed frame: neither resized nor maximised.
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window->Handle(), GWL_STYLE));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
}

TEST_F(Win32WindowTest, AWholeJob) {
  WriteLibrary();
  auto window = Open();
  Type(*window, Control::编辑框_ksmp, dir_.TextPath("lib"));
  Type(*window, Control::编辑框_Dic, dir_.TextPath("dic.ini"));
  Click(*window, Control::单选框2);
  EXPECT_TRUE(window->controls().IsChecked(Control::单选框2));
  EXPECT_FALSE(window->controls().IsChecked(Control::单选框1));
  ::SendMessageW(Widget(*window, Control::按钮_Start), BM_CLICK, 0, 0);
  for (Control control : kJobControls) EXPECT_TRUE(window->controls().IsDisabled(control));
  ASSERT_TRUE(PumpUntil([&] { return !window->JobRunning(); }));
  Pump();
  EXPECT_EQ(window->controls().Status(), kStatusDone);
  EXPECT_EQ(Shown(*window, Control::caption_msg), L"完成！");
  for (Control control : kJobControls) {
    EXPECT_TRUE(::IsWindowEnabled(Widget(*window, control))) << static_cast<int>(control);
  }
  EXPECT_EQ(::SendMessageW(Widget(*window, Control::进度条1), PBM_GETPOS, 0, 0), 100);
  // Material headers are UTF-8.
  EXPECT_EQ(ReadFile(dir_.path() / testing::PathOf("lib/金属/Gold.mtl")),
            "#define material \"金\" {}");
  EXPECT_TRUE(ReadFile(dir_.path() / "dic.ini").ends_with("From=1\r\n"));
}

TEST_F(Win32WindowTest, BadPathsShowUnknownError) {
  WriteLibrary();
  auto window = Open();
  Type(*window, Control::编辑框_ksmp, dir_.TextPath("missing"));
  Type(*window, Control::编辑框_Dic, dir_.TextPath("dic.ini"));
  Click(*window, Control::按钮_Start);
  EXPECT_FALSE(window->JobRunning());
  EXPECT_EQ(Shown(*window, Control::caption_msg), L"未知错误!");
  // A folder GBK cannot hold never names another folder.
  ::SetWindowTextW(Widget(*window, Control::编辑框_ksmp),
                   (Wide(dir_.TextPath()) + L"\\lib\U0001F600").c_str());
  Pump();
  EXPECT_TRUE(window->controls().HoldsUnholdableText(Control::编辑框_ksmp));
  window->controls().SetStatus("");
  Click(*window, Control::按钮_Start);
  EXPECT_EQ(window->controls().Status(), kStatusUnknownError);
}

TEST_F(Win32WindowTest, DropsArriveWholeAndInOrder) {
  dir_.Write("one.ini", "[configs]\r\nMaterialFolder=C:\\first\r\nFrom=1\r\n");
  auto window = Open();
  Drop(*window, Control::编辑框_ksmp,
       {Wide(dir_.TextPath("a")), Wide(dir_.TextPath("b")), Wide(dir_.TextPath("c"))});
  EXPECT_EQ(window->controls().GetText(Control::编辑框_ksmp), dir_.TextPath("c"));
  Drop(*window, Control::编辑框_Dic, {Wide(dir_.TextPath("one.ini"))});
  EXPECT_EQ(Shown(*window, Control::编辑框_Dic), Wide(dir_.TextPath("one.ini")));
  EXPECT_EQ(Shown(*window, Control::编辑框_ksmp), L"C:\\first");
  EXPECT_TRUE(window->controls().IsChecked(Control::单选框2));
  // A path far beyond 999 bytes arrives whole.
  const std::wstring deep = Wide(dir_.TextPath()) + L"\\" + std::wstring(1200, L'd');
  Drop(*window, Control::编辑框_ksmp, {deep});
  EXPECT_EQ(Shown(*window, Control::编辑框_ksmp), deep);
  // One GBK cannot hold is shown as it is, and Start refuses it.
  const std::wstring smile = Wide(dir_.TextPath()) + L"\\\U0001F600";
  Drop(*window, Control::编辑框_ksmp, {smile});
  EXPECT_EQ(Shown(*window, Control::编辑框_ksmp), smile);
  EXPECT_TRUE(window->controls().HoldsUnholdableText(Control::编辑框_ksmp));
}

TEST_F(Win32WindowTest, DoubleClickOnTheStatusSavesTheLog) {
  dir_.MakeFolder("program");
  auto window = Open();
  AppendFailure(window->app().failureLog, Gbk("not find dic \"金\""));
  HWND status = Widget(*window, Control::caption_msg);
  ::SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(status), STN_DBLCLK),
                 reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(ReadFile(dir_.path() / "program/log.txt"), TextToBytes(Gbk("not find dic \"金\"\r\n")));
  EXPECT_EQ(window->controls().Status(), kStatusSaved);
}

TEST_F(Win32WindowTest, ClosingDuringAJobWaitsForTheItemAtHand) {
  const std::string old = "#define material \"Gold\" {" + std::string(30000, 'p') + "}";
  const std::string renamed = "#define material \"金\" {" + std::string(30000, 'p') + "}";
  dir_.Write("dic.ini", TextToBytes(Gbk("[dic]\r\nGold=金\r\n")));
  for (int i = 0; i < 1500; ++i) dir_.Write("big/" + std::to_string(i) + "/Gold.mtl", old);
  auto window = Open();
  Type(*window, Control::编辑框_ksmp, dir_.TextPath("big"));
  Type(*window, Control::编辑框_Dic, dir_.TextPath("dic.ini"));
  Click(*window, Control::单选框2);
  Click(*window, Control::选择框2);  // no folders
  ::SendMessageW(Widget(*window, Control::按钮_Start), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return window->controls().Progress() > 0; }));
  ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(window->Handle() != nullptr || !window->JobRunning());
  ASSERT_TRUE(PumpUntil([&] { return window->Handle() == nullptr; }));
  EXPECT_FALSE(window->JobRunning());
  int changed = 0;
  for (int i = 0; i < 1500; ++i) {
    const std::string content = ReadFile(dir_.path() / "big" / std::to_string(i) / "Gold.mtl");
    ASSERT_TRUE(content == old || content == renamed) << i;
    changed += content == renamed ? 1 : 0;
  }
  EXPECT_LT(changed, 1500);
}

}  // namespace
}  // namespace vestrel
