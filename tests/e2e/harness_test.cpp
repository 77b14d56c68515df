// What every end-to-end test relies on: the Wine desktop of the session and the driver's input,
// window, clipboard and settings helpers, proved on windows of this test program itself.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "driver.h"

namespace pinlark::e2e {
namespace {

TEST(Harness, TheDesktopHasItsTaskbar) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the tray icon tests need one";
  EXPECT_TRUE(IsWindowVisible(taskbar));
}

TEST(Harness, TheDesktopIs1024By768) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST(Harness, TheAnsiCodePageIsJapanese) {
  EXPECT_EQ(GetACP(), 932u);
  // The tests' literals are compiled to the same code page.
  EXPECT_EQ(std::string("メモ"), "\x83\x81\x83\x82");
}

// A captioned window with an edit control, run by a thread of its own so that it handles the
// input the test thread sends (a move loop, for one, runs until the button goes up).
class TargetWindow {
 public:
  static constexpr UINT kShowMenu = WM_APP + 1;
  static constexpr UINT kFirstItem = 101;

  TargetWindow() {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([this] { return ready_.load(); }, 5000, "the test's own target window");
  }
  ~TargetWindow() {
    if (frame_) PostMessageA(frame_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND frame() const { return frame_; }
  HWND edit() const { return edit_; }
  UINT chosen() const { return chosen_.load(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
      case WM_SETFOCUS:
        if (self) SetFocus(self->edit_);
        return 0;
      case kShowMenu: {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, kFirstItem, "一番目");
        AppendMenuA(menu, MF_STRING, kFirstItem + 1, "二番目");
        POINT at = {400, 300};
        self->chosen_ = TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, hwnd, nullptr);
        DestroyMenu(menu);
        return 0;
      }
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  void Run() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "PinlarkHarnessTarget";
    RegisterClassA(&wc);
    frame_ = CreateWindowExA(0, wc.lpszClassName, "Harness target", WS_OVERLAPPEDWINDOW, 200, 150,
                             400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 360, 24,
                            frame_, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(frame_, SW_SHOW);
    ready_ = true;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  std::thread thread_;
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
  std::atomic<bool> ready_{false};
  std::atomic<UINT> chosen_{0};
};

TEST(Harness, TheMouseLandsOnTheExactPixel) {
  const POINT points[] = {{0, 0}, {1, 1}, {517, 389}, {1022, 766}, {1023, 767}};
  for (POINT p : points) {
    MoveMouse(p.x, p.y);
    POINT at = {};
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_EQ(at.x, p.x) << "moved to " << p.x << "," << p.y;
    EXPECT_EQ(at.y, p.y) << "moved to " << p.x << "," << p.y;
  }
}

TEST(Harness, TypedKeysReachTheForegroundWindow) {
  TargetWindow target;
  ASSERT_TRUE(BringToForeground(target.frame()));
  const std::string text = "Hello, World! 0123 (a-b_c) x=y;";
  TypeText(text);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(target.edit()) == text; }, 5000, "the typed text"))
      << "the edit control holds \"" << TextOf(target.edit()) << "\"";

  // Shift with an extended key selects to the start; the next key replaces the selection.
  PressKey(VK_HOME, {VK_SHIFT});
  TypeText("Z");
  EXPECT_TRUE(WaitUntil([&] { return TextOf(target.edit()) == "Z"; }, 5000, "the replaced text"))
      << "the edit control holds \"" << TextOf(target.edit()) << "\"";
}

TEST(Harness, DraggingTheCaptionMovesTheWindow) {
  TargetWindow target;
  ASSERT_TRUE(BringToForeground(target.frame()));
  RECT before = RectOf(target.frame());
  POINT client = {0, 0};
  ClientToScreen(target.frame(), &client);
  POINT caption = {before.left + 80, (before.top + client.y) / 2};
  Drag(caption, POINT{caption.x + 150, caption.y + 100});
  EXPECT_TRUE(WaitUntil(
      [&] {
        RECT now = RectOf(target.frame());
        return now.left == before.left + 150 && now.top == before.top + 100;
      },
      5000, "the window to move by 150,100"));
}

TEST(Harness, APopupMenuIsFoundAndWorkedByKeys) {
  TargetWindow target;
  ASSERT_TRUE(BringToForeground(target.frame()));
  PostMessageA(target.frame(), TargetWindow::kShowMenu, 0, 0);
  HWND menu = WaitForPopupMenu(GetCurrentProcessId());
  ASSERT_NE(menu, nullptr);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitForWindowGone(menu));
  EXPECT_TRUE(WaitUntil([&] { return target.chosen() != 0; }, 5000, "the menu's choice"));
  EXPECT_EQ(target.chosen(), TargetWindow::kFirstItem + 1);
}

TEST(Harness, AMessageBoxIsReadAndAnswered) {
  for (int answer : {IDNO, IDYES}) {
    std::atomic<int> result{0};
    std::thread box(
        [&] { result = MessageBoxA(nullptr, "本文です", "ハーネス", MB_YESNO); });
    HWND dialog = WaitForDialog(GetCurrentProcessId(), "ハーネス");
    if (!dialog) {
      box.detach();
      FAIL();
    }
    EXPECT_EQ(DialogText(dialog), "本文です");
    if (answer == IDNO)
      EXPECT_TRUE(PressButton(dialog, IDNO));
    else
      EXPECT_TRUE(PressButton(dialog, "はい(Y)"));  // the '&' of "はい(&Y)" does not count
    box.join();
    EXPECT_EQ(result.load(), answer);
  }
}

TEST(Harness, TheClipboardCarriesCodePage932Text) {
  ASSERT_TRUE(SetClipboardText("付箋 memo"));
  EXPECT_EQ(ClipboardText(), std::optional<std::string>("付箋 memo"));
  ASSERT_TRUE(ClearClipboard());
  EXPECT_EQ(ClipboardText(), std::nullopt);
}

TEST(Harness, KeysInSectionListsTheFirstMatchingSectionInOrder) {
  const std::string ini =
      "\xEF\xBB\xBF[Other]\r\nA=1\r\n"
      " [memo] \r\n"
      "Zeta = 1\r\n; comment\r\n\r\n  alpha=\r\nbare\n"
      "[MEMO]\r\nlater=2\r\n";
  EXPECT_EQ(KeysInSection(ini, "Memo"), (std::vector<std::string>{"Zeta", "alpha", "bare"}));
  EXPECT_EQ(KeysInSection(ini, "other"), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(KeysInSection(ini, "Missing").empty());
}

TEST(Harness, FilesRoundTripTheirBytes) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "pinlark-harness-file.ini";
  const char raw[] = "[a]\r\nk=\x83\x81\x83\x82\r\n\0tail";
  const std::string bytes(raw, sizeof raw - 1);
  ASSERT_TRUE(WriteFileBytes(path, bytes));
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>(bytes));
  DeleteFileA(path.c_str());
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(ReadFileBytes(path), std::nullopt);
}

}  // namespace
}  // namespace pinlark::e2e
