// Windows, input and the clipboard of the end-to-end driver.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace pinlark::e2e {

namespace {

std::string WithoutAmpersands(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

std::string Describe(HWND hwnd) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%p", static_cast<void*>(hwnd));
  std::string title;
  int n = GetWindowTextLengthA(hwnd);
  if (n > 0) {
    title.resize(n + 1);
    title.resize(GetWindowTextA(hwnd, title.data(), n + 1));
  }
  return std::string("window ") + buf + " (" + ClassNameOf(hwnd) + " \"" + title + "\")";
}

}  // namespace

// ---- Windows

void PostCommand(HWND window, UINT command) { PostMessageA(window, WM_COMMAND, command, 0); }

void RunCommand(HWND window, UINT command) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, kWaitMs, &result)) {
    ADD_FAILURE() << "command " << command << " to " << Describe(window) << " did not end within " << kWaitMs << " ms";
  }
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

std::vector<HWND> Memos(const PinlarkProcess& pinlark, bool visibleOnly) {
  return FindWindows(pinlark.Pid(), kMemoClass, "", visibleOnly);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string ClassNameOf(HWND hwnd) {
  char buf[256] = {};
  int n = GetClassNameA(hwnd, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(std::strlen(text.c_str()));
  return text;
}

RECT RectOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

POINT CenterOf(HWND hwnd) {
  RECT r = RectOf(hwnd);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

namespace {

struct WindowQuery {
  DWORD pid;
  const std::string* className;
  const std::string* title;
  bool visibleOnly;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  if (q->pid && ProcessOf(hwnd) != q->pid) return TRUE;
  if (q->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (!q->className->empty() && ClassNameOf(hwnd) != *q->className) return TRUE;
  if (!q->title->empty()) {
    // The caption as the system keeps it: no message to a window that may be busy.
    char buf[512] = {};
    GetWindowTextA(hwnd, buf, sizeof buf);
    if (*q->title != buf) return TRUE;
  }
  q->found->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  if (q->className->empty() || ClassNameOf(hwnd) == *q->className) q->found->push_back(hwnd);
  return TRUE;
}

std::string DescribeQuery(DWORD pid, const std::string& className, const std::string& title) {
  std::string s = "a top-level window";
  if (!className.empty()) s += " of class " + className;
  if (!title.empty()) s += " titled \"" + title + "\"";
  if (pid) s += " of process " + std::to_string(pid);
  return s;
}

}  // namespace

std::vector<HWND> FindWindows(DWORD pid, const std::string& className, const std::string& title,
                              bool visibleOnly) {
  std::vector<HWND> found;
  WindowQuery q{pid, &className, &title, visibleOnly, &found};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
  return found;
}

HWND FindWindowOf(DWORD pid, const std::string& className, const std::string& title,
                  bool visibleOnly) {
  std::vector<HWND> found = FindWindows(pid, className, title, visibleOnly);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForWindow(DWORD pid, const std::string& className, const std::string& title,
                   DWORD timeoutMs, bool visibleOnly) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOf(pid, className, title, visibleOnly)) != nullptr; },
            timeoutMs, DescribeQuery(pid, className, title) + (visibleOnly ? " (shown)" : ""));
  return found;
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs) {
  std::string what = Describe(hwnd) + " to go away";
  return WaitUntil([&] { return !IsWindow(hwnd); }, timeoutMs, what);
}

HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
  return WaitForWindow(pid, "#32768", "", timeoutMs, true);
}

HWND WaitForDialog(DWORD pid, const std::string& title, DWORD timeoutMs) {
  return WaitForWindow(pid, "#32770", title, timeoutMs, true);
}

std::vector<HWND> ChildWindows(HWND parent, const std::string& className) {
  std::vector<HWND> found;
  std::string none;
  WindowQuery q{0, &className, &none, false, &found};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&q));
  return found;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child : ChildWindows(dialog, "Static")) {
    std::string text = TextOf(child);
    if (!text.empty()) texts.push_back(text);
  }
  return texts;
}

std::string DialogText(HWND dialog) {
  std::string joined;
  for (const std::string& text : StaticTexts(dialog)) joined += (joined.empty() ? "" : "\n") + text;
  return joined;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) {
    ADD_FAILURE() << Describe(dialog) << " has no control with id " << id;
    return false;
  }
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool PressButton(HWND dialog, const std::string& text) {
  std::string want = WithoutAmpersands(text);
  std::string seen;
  for (HWND button : ChildWindows(dialog, "Button")) {
    std::string caption = WithoutAmpersands(TextOf(button));
    if (caption == want) return PressButton(dialog, GetDlgCtrlID(button));
    seen += " \"" + caption + "\"";
  }
  ADD_FAILURE() << Describe(dialog) << " has no button \"" << want << "\"; its buttons:" << seen;
  return false;
}

// ---- Input

bool BringToForeground(HWND hwnd) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!top) top = hwnd;
  if (GetForegroundWindow() != top) {
    // Joining the input of the current foreground thread lets this process hand the foreground on.
    HWND current = GetForegroundWindow();
    DWORD me = GetCurrentThreadId();
    DWORD other = current ? GetWindowThreadProcessId(current, nullptr) : 0;
    bool attached = other && other != me && AttachThreadInput(me, other, TRUE);
    if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
    BringWindowToTop(top);
    SetForegroundWindow(top);
    if (attached) AttachThreadInput(me, other, FALSE);
  }
  return WaitUntil([&] { return GetForegroundWindow() == top; }, 5000,
                   Describe(top) + " to become the foreground window");
}

namespace {

INPUT MouseAt(int x, int y, DWORD flags) {
  // Wine and Windows map 0..65535 onto the screen as dx * width / 65536: round up to land on x.
  const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65536 + w - 1) / w;
  in.mi.dy = (y * 65536 + h - 1) / h;
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return in;
}

void Send(const INPUT& in) {
  INPUT copy = in;
  if (SendInput(1, &copy, sizeof copy) != 1)
    ADD_FAILURE() << "SendInput failed (error " << GetLastError() << ")";
}

void ClickWith(int x, int y, DWORD down, DWORD up, int times) {
  Send(MouseAt(x, y, 0));
  for (int i = 0; i < times; ++i) {
    Send(MouseAt(x, y, down));
    Send(MouseAt(x, y, up));
  }
  Settle(50);
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    case VK_INSERT: case VK_DELETE: case VK_RCONTROL: case VK_RMENU:
    case VK_DIVIDE: case VK_NUMLOCK: case VK_APPS: case VK_LWIN: case VK_RWIN:
      return true;
  }
  return false;
}

void KeyEvent(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  Send(in);
}

void PressWith(WORD vk, const std::vector<WORD>& modifiers) {
  for (WORD m : modifiers) KeyEvent(m, false);
  KeyEvent(vk, false);
  KeyEvent(vk, true);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) KeyEvent(*m, true);
}

}  // namespace

void MoveMouse(int x, int y) {
  Send(MouseAt(x, y, 0));
  Settle(30);
}

void Click(int x, int y) { ClickWith(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

void RightClick(int x, int y) { ClickWith(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1); }

void DoubleClick(int x, int y) { ClickWith(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2); }

void ClickOn(HWND hwnd) {
  const POINT at = CenterOf(hwnd);
  Click(at.x, at.y);
}

void Drag(POINT from, POINT to, int steps) {
  if (steps < 1) steps = 1;
  Send(MouseAt(from.x, from.y, 0));
  Settle(30);
  Send(MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN));
  Settle(30);
  // Small steps with pauses, as a hand moves: a window's move loop follows each of them.
  for (int i = 1; i <= steps; ++i) {
    Send(MouseAt(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps, 0));
    Settle(20);
  }
  Send(MouseAt(to.x, to.y, MOUSEEVENTF_LEFTUP));
  Settle(50);
}

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  PressWith(vk, std::vector<WORD>(modifiers));
  Settle(30);
}

void KeyDown(WORD vk) { KeyEvent(vk, false); }

void KeyUp(WORD vk) { KeyEvent(vk, true); }

void TypeText(const std::string& ascii) {
  for (char c : ascii) {
    if (c == '\n') {
      PressWith(VK_RETURN, {});
      continue;
    }
    if (c == '\t') {
      PressWith(VK_TAB, {});
      continue;
    }
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) {
      // Wine's layout for the X keyboard lacks a few symbols, '(' and ')' among them: those
      // come as the character itself, as an input method would send it.
      INPUT in = {};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = static_cast<unsigned char>(c);
      in.ki.dwFlags = KEYEVENTF_UNICODE;
      Send(in);
      in.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
      Send(in);
      continue;
    }
    std::vector<WORD> modifiers;
    if (HIBYTE(scan) & 1) modifiers.push_back(VK_SHIFT);
    if (HIBYTE(scan) & 2) modifiers.push_back(VK_CONTROL);
    if (HIBYTE(scan) & 4) modifiers.push_back(VK_MENU);
    PressWith(LOBYTE(scan), modifiers);
  }
  Settle(50);
}

void Settle(DWORD ms) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed >= ms) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms - elapsed), QS_ALLINPUT);
    PumpMessages();
  }
  PumpMessages();
}

}  // namespace pinlark::e2e
