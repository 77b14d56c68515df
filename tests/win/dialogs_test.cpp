// The version dialog, the error reporter and the help opener.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/error_report.h"
#include "app/help.h"
#include "app/texts.h"
#include "app/version_dialog.h"
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

}  // namespace
}  // namespace pinlark
