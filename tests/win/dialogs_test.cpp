// The version dialog, the error reporter, the help opener, and how every dialog shows its texts.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "alarm/alarm_dialog.h"
#include "app/error_report.h"
#include "app/help.h"
#include "app/texts.h"
#include "app/version_dialog.h"
#include "edit/edit_dialog.h"
#include "props/properties_dialog.h"
#include "trash/trash_dialog.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

using test::ModalWatcher;
using test::SeenWindow;

TEST(VersionDialog, OpensCentredWithFocusOnOkAndAnyWayOfClosingGivesOne) {
  test::MainWindowFixture main;
  const std::vector<std::function<void(const SeenWindow&)>> closers = {
      [](const SeenWindow& s) { test::PressButton(s, IDOK); },
      [](const SeenWindow& s) { test::PressKey(s, VK_RETURN); },
      [](const SeenWindow& s) { test::PressKey(s, VK_ESCAPE); },
      [](const SeenWindow& s) { PostMessageA(s.window, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (size_t i = 0; i < closers.size(); ++i) {
    ModalWatcher watcher(closers[i]);
    EXPECT_EQ(RunVersionDialog(main.window()), 1) << "closer " << i;
    ASSERT_TRUE(watcher.Wait());
    const SeenWindow& seen = watcher.seen();
    EXPECT_EQ(seen.title, "Pinlark - バージョン情報");
    EXPECT_NE(seen.staticText.find("Pinlark Ver1.40"), std::string::npos);
    const int width = seen.rect.right - seen.rect.left;
    const int height = seen.rect.bottom - seen.rect.top;
    EXPECT_EQ(seen.rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
    EXPECT_EQ(seen.rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);
    EXPECT_EQ(seen.focusId, IDOK);
  }
}

TEST(ErrorReporter, ShowsTheCallersTextALineBreakAndTheSystemsText) {
  test::MainWindowFixture main;
  {
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReportError(main.window(), text::kSaveFailed), IDOK);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().title, text::kAppName);
    EXPECT_EQ(watcher.seen().staticText, std::string(text::kSaveFailed) + "\n" + test::SystemText(ERROR_FILE_NOT_FOUND));
  }
  {
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SetLastError(ERROR_ACCESS_DENIED);
    ReportError(main.window(), nullptr);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().staticText, test::SystemText(ERROR_ACCESS_DENIED)) << "no caller text: the system's alone";
  }
  {
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SetLastError(ERROR_SUCCESS);
    ReportError(main.window(), text::kFontCreateFailed);
    EXPECT_TRUE(watcher.Wait()) << "code 0 still gives a report";
    EXPECT_EQ(watcher.seen().staticText.rfind(text::kFontCreateFailed, 0), 0u);
  }
  {
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SetLastError(ERROR_INVALID_ORDINAL);  // a text with an insert, "... %1."
    ReportError(main.window(), nullptr);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_NE(watcher.seen().staticText.find("%1"), std::string::npos) << "the insert is shown as it stands";
  }
}

class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(folder_.File("help").c_str(), nullptr);
    for (const char* page : {"index.html", "properties.html", "trash.html", "edit.html"}) {
      test::WriteFileBytes(folder_.File("help\\") + page, "<html></html>");
    }
  }
  std::vector<std::string> opened() const { return shell_.paths(); }
  test::ShellOpenRecorder shell_;
  test::TempFolder folder_;
  test::MainWindowFixture main_;
};

TEST_F(HelpTest, OpensTheHtmlPageOfEachContext) {
  for (int context : {HELP_CTX_CONTENTS, HELP_CTX_PROPERTIES, HELP_CTX_TRASH, HELP_CTX_EDIT}) {
    OpenHelpIn(main_.window(), context, folder_.path());
  }
  const std::string help = folder_.File("help\\");
  EXPECT_EQ(opened(), (std::vector<std::string>{help + "index.html", help + "properties.html", help + "trash.html",
                                                help + "edit.html"}));
}

TEST_F(HelpTest, SaysSoWhenThereIsNoHelpOrTheShellCannotOpenIt) {
  test::TempFolder empty;
  {
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    OpenHelpIn(main_.window(), HELP_CTX_TRASH, empty.path());
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().staticText, text::kHelpMissing);
    EXPECT_TRUE(opened().empty());
  }
  {
    shell_.Answer(SE_ERR_NOASSOC);
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    OpenHelpIn(main_.window(), HELP_CTX_CONTENTS, folder_.path());
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().staticText, text::kHelpOpenFailed);
  }
}

TEST_F(HelpTest, TheHelpCommandAndF1OpenTheContents) {
  // The program's own folder holds the installed help next to the test program.
  main_.Send(WM_COMMAND, IDM_HELP);
  main_.Send(WM_HELP);
  ASSERT_EQ(opened().size(), 2u);
  for (const std::string& path : opened()) {
    EXPECT_NE(path.find("help\\index.html"), std::string::npos) << path;
  }
}

// A device context of a control with the control's own font in it.
class ControlDc {
 public:
  explicit ControlDc(HWND control)
      : control_(control),
        dc_(GetDC(control)),
        previous_(SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)))) {}
  ~ControlDc() {
    SelectObject(dc_, previous_);
    ReleaseDC(control_, dc_);
  }
  operator HDC() const { return dc_; }

 private:
  HWND control_;
  HDC dc_;
  HGDIOBJ previous_;
};

// The texts of a dialog's static texts, check boxes, radio buttons and push buttons that their
// controls cannot show whole: measured in the control's own font on one line as the control
// draws it (a "&" marks the mnemonic and takes no room), beside the box of a check box or radio
// button (its width and half a digit's gap), inside the edge of a push button.
std::vector<std::string> CutTexts(HWND dialog) {
  std::vector<std::string> cut;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    char kind[32] = "";
    GetClassNameA(control, kind, sizeof kind);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool isStatic = lstrcmpiA(kind, "Static") == 0;
    if (isStatic ? (style & SS_TYPEMASK) > SS_RIGHT
                 : lstrcmpiA(kind, "Button") != 0 || (style & BS_TYPEMASK) == BS_OWNERDRAW) {
      continue;
    }
    char text[256] = "";
    GetWindowTextA(control, text, sizeof text);
    ControlDc dc(control);
    RECT room{};
    GetClientRect(control, &room);
    const LONG button = style & BS_TYPEMASK;
    if (!isStatic && (button == BS_PUSHBUTTON || button == BS_DEFPUSHBUTTON)) {
      InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    } else if (!isStatic) {
      INT digit = 0;
      GetCharWidth32A(dc, '0', '0', &digit);
      room.left += GetSystemMetrics(SM_CXMENUCHECK) + digit / 2;
    }
    RECT need{};
    DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE | (isStatic && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
    if (need.right > room.right - room.left || need.bottom > room.bottom - room.top) {
      cut.push_back("\"" + std::string(text) + "\" needs " + std::to_string(need.right) + "x" +
                    std::to_string(need.bottom) + ", has " + std::to_string(room.right - room.left) + "x" +
                    std::to_string(room.bottom - room.top));
    }
  }
  return cut;
}

// The alarm fields of the edit dialog whose text area, left of their spin, cannot show their
// widest value whole: four digits of the year, two of the others, in the field's own font. Each
// spin follows its field in the dialog.
std::vector<std::string> CutAlarmFields(HWND dialog) {
  const std::pair<int, LONG> fields[] = {
      {IDC_ALARM_YEAR, 4}, {IDC_ALARM_MONTH, 2}, {IDC_ALARM_DAY, 2}, {IDC_ALARM_HOUR, 2}, {IDC_ALARM_MINUTE, 2}};
  std::vector<std::string> cut;
  for (const auto& [id, digits] : fields) {
    HWND field = GetDlgItem(dialog, id);
    RECT text{}, spin{};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&text), 2);
    GetWindowRect(GetWindow(field, GW_HWNDNEXT), &spin);
    ControlDc dc(field);
    LONG widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
      SIZE size{};
      GetTextExtentPoint32A(dc, &digit, 1, &size);
      widest = std::max(widest, size.cx);
    }
    const LONG room = std::min(text.right, spin.left) - text.left;
    if (widest * digits > room) {
      cut.push_back("field " + std::to_string(id) + " needs " + std::to_string(widest * digits) + ", has " +
                    std::to_string(room));
    }
  }
  return cut;
}

TEST(DialogLayout, EveryDialogShowsItsTextsAndTheAlarmFieldsTheirDigitsWhole) {
  test::MainWindowFixture main;
  const struct {
    const char* name;
    std::function<void(HWND)> open;
    int close;
  } dialogs[] = {
      {"edit", [](HWND w) { OpenEditDialog(w, nullptr); }, IDCANCEL},
      {"properties", [](HWND w) { OpenPropertiesDialog(w); }, IDCANCEL},
      {"trash", [](HWND w) { OpenTrashDialog(w); }, IDCANCEL},
      {"version", [](HWND w) { RunVersionDialog(w); }, IDOK},
      {"alarm", [](HWND w) { RunAlarmDialog(w); }, IDOK},
  };
  for (const auto& d : dialogs) {
    std::vector<std::string> cut;
    ModalWatcher watcher([&](const SeenWindow& s) {
      cut = CutTexts(s.window);
      if (GetDlgItem(s.window, IDC_ALARM_YEAR)) {
        for (std::string& field : CutAlarmFields(s.window)) cut.push_back(std::move(field));
      }
      test::PressButton(s, d.close);
    });
    d.open(main.window());
    ASSERT_TRUE(watcher.Wait()) << d.name;
    for (const std::string& text : cut) ADD_FAILURE() << d.name << " dialog: " << text;
  }
}

}  // namespace
}  // namespace pinlark
