// A real print job: all memos printed by pinlark.exe to the PDF queue that tools/pdf-printer
// makes. Run by print_to_pdf.sh, which then reads the PDF back; it is not one of the tests
// registered from the *_test.cpp files, because it needs the queue.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(RealPrint, PrintAllGoesToThePrinterAsOneJob) {
  const std::string folder = PdfFolder();
  if (folder.empty()) GTEST_SKIP() << "needs the PDF queue of tools/pdf-printer (PINLARK_PDF_DIR)";
  ASSERT_TRUE(UsePrinterCourier()) << "no printer " << kQueue << " under Wine";
  const std::set<std::string> before = PdfFiles(folder);

  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("",
                            "[Pinlark]\r\nFontFace=Courier\r\nFontHeight=-16\r\n"
                            "MemoPos0=400 300 200 40\r\nMemo0=bravo memo two\r\n"
                            "MemoPos1=400 100 200 40\r\nMemo1=alpha memo one\\r\\nsecond line\r\n"));
  PostMessageA(pinlark.MainWindow(), WM_COMMAND, 40019, 0);
  HWND dialog = WaitForDialog(pinlark.Pid());
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(WaitForWindowGone(dialog));

  std::string printed;
  WaitUntil(
      [&] {
        for (const std::string& name : PdfFiles(folder)) {
          if (before.count(name) == 0) printed = name;
        }
        return !printed.empty();
      },
      60000, "the PDF of the job in " + folder);
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(FindWindowOf(pinlark.Pid(), "#32770"), nullptr) << "a message after printing";
  EXPECT_EQ(pinlark.Close(), 0u);

  char unixPath[MAX_PATH] = {};
  GetEnvironmentVariableA("PINLARK_PDF_DIR", unixPath, MAX_PATH);
  std::printf("printed: %s/%s\n", unixPath, printed.c_str());
}

}  // namespace
}  // namespace pinlark::e2e
