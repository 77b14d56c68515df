// A real print job: all memos printed by pinlark.exe to the PDF queue that tools/pdf-printer
// makes. Run by print_to_pdf.sh, which then reads the PDF back; it is not one of the tests
// registered from the *_test.cpp files, because it needs the queue.
#include <windows.h>
#include <dlgs.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <tuple>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr char kQueue[] = "PinlarkPDF";

// Where the queue puts its files: the Unix folder handed over in PINLARK_PDF_DIR.
std::string PdfFolder() {
  char unixPath[MAX_PATH] = {};
  if (GetEnvironmentVariableA("PINLARK_PDF_DIR", unixPath, MAX_PATH) == 0) return "";
  std::string folder = std::string("Z:") + unixPath;
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  return folder + "\\";
}

std::set<std::string> PdfFiles(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*.pdf").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

// Wine's PostScript driver sends text in a font it knows by name as text; a font it does not
// know goes out as glyph outlines, which no PDF reader turns back into letters. The memo font of
// this test is Courier, and the queue is told to print it in its own Courier.
bool UsePrinterCourier() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterA(const_cast<char*>(kQueue), &printer, &access)) return false;
  char face[] = "Courier";
  const DWORD set = SetPrinterDataExA(printer, "PrinterDriverData\\FontSubTable", face, REG_SZ,
                                      reinterpret_cast<BYTE*>(face), sizeof face);
  ClosePrinter(printer);
  return set == ERROR_SUCCESS;
}

// Prints all memos of `settings` with the real program, lets `choose` set up the print dialog
// before OK, and hands back the Unix path of the new PDF (empty when none came).
std::string PrintAllToPdf(const std::string& settings, const std::function<void(HWND)>& choose) {
  const std::string folder = PdfFolder();
  const std::set<std::string> before = PdfFiles(folder);
  PinlarkProcess pinlark;
  EXPECT_TRUE(pinlark.Start("", settings));
  PostMessageA(pinlark.MainWindow(), WM_COMMAND, 40019, 0);
  HWND dialog = WaitForDialog(pinlark.Pid());
  EXPECT_NE(dialog, nullptr);
  if (dialog == nullptr) return "";
  choose(dialog);
  EXPECT_TRUE(PressButton(dialog, IDOK));
  EXPECT_TRUE(WaitForWindowGone(dialog));

  std::string printed;
  WaitUntil(
      [&] {
        for (const std::string& name : PdfFiles(folder)) {
          if (before.count(name) == 0) printed = name;
        }
        return !printed.empty();
      },
      60000, "the PDF of the job in " + folder);
  EXPECT_EQ(FindWindowOf(pinlark.Pid(), "#32770"), nullptr) << "a message after printing";
  EXPECT_EQ(pinlark.Close(), 0u);
  if (printed.empty()) return "";
  char unixPath[MAX_PATH] = {};
  GetEnvironmentVariableA("PINLARK_PDF_DIR", unixPath, MAX_PATH);
  return std::string(unixPath) + "/" + printed;
}

class RealPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    if (PdfFolder().empty()) GTEST_SKIP() << "needs the PDF queue of tools/pdf-printer (PINLARK_PDF_DIR)";
    ASSERT_TRUE(UsePrinterCourier()) << "no printer " << kQueue << " under Wine";
  }
};

TEST_F(RealPrint, PrintAllGoesToThePrinterAsOneJob) {
  const std::string pdf = PrintAllToPdf(
      "[Pinlark]\r\nFontFace=Courier\r\nFontHeight=-16\r\n"
      "MemoPos0=400 300 200 40\r\nMemo0=bravo memo two\r\n"
      "MemoPos1=400 100 200 40\r\nMemo1=alpha memo one\\r\\nsecond line\r\n",
      [](HWND) {});
  ASSERT_FALSE(pdf.empty());
  std::printf("printed one page: %s\n", pdf.c_str());
}

// Memos of 45 lines each: more than one page holds. The dialog is asked for two collated copies.
TEST_F(RealPrint, MemosThatNeedTwoPagesPrintInTheCopiesAsked) {
  std::string settings = "[Pinlark]\r\nFontFace=Courier\r\nFontHeight=-16\r\n";
  for (const auto& [slot, name, top] : {std::tuple{0, "bravo", 300}, std::tuple{1, "alpha", 100}}) {
    settings += "MemoPos" + std::to_string(slot) + "=400 " + std::to_string(top) + " 200 40\r\nMemo" +
                std::to_string(slot) + "=";
    for (int line = 1; line <= 45; ++line) {
      char text[16];
      std::snprintf(text, sizeof text, "%s%s %02d", line > 1 ? "\\r\\n" : "", name, line);
      settings += text;
    }
    settings += "\r\n";
  }
  const std::string pdf = PrintAllToPdf(settings, [](HWND dialog) {
    SetDlgItemTextA(dialog, edt3, "2");  // the print dialog's copies and its collate box
    CheckDlgButton(dialog, chx2, BST_CHECKED);
  });
  ASSERT_FALSE(pdf.empty());
  std::printf("printed two pages twice: %s\n", pdf.c_str());
}

}  // namespace
}  // namespace pinlark::e2e
