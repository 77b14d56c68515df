// The printed page recorded in an enhanced metafile and read back, the printer font, and the
// print job's failures with a printer put in place by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_record.h"
#include "memo/memo_window.h"
#include "print/printing.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

// One drawing record of the page: a text at a point, or a line to a point after a move.
struct Drawn {
  enum Kind { kText, kMove, kLine } kind;
  POINT at;
  std::string text;
};

std::string Narrow(const wchar_t* s, int count) {
  std::string out(static_cast<size_t>(count) * 2 + 1, '\0');
  const int n = WideCharToMultiByte(CP_ACP, 0, s, count, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

int CALLBACK Collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* drawn = reinterpret_cast<std::vector<Drawn>*>(data);
  switch (record->iType) {
    case EMR_EXTTEXTOUTW: {
      const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + t->emrtext.offString);
      drawn->push_back({Drawn::kText, {t->emrtext.ptlReference.x, t->emrtext.ptlReference.y},
                        Narrow(chars, static_cast<int>(t->emrtext.nChars))});
      break;
    }
    case EMR_EXTTEXTOUTA: {
      const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
      const char* chars = reinterpret_cast<const char*>(record) + t->emrtext.offString;
      drawn->push_back({Drawn::kText, {t->emrtext.ptlReference.x, t->emrtext.ptlReference.y},
                        std::string(chars, t->emrtext.nChars)});
      break;
    }
    case EMR_MOVETOEX: {
      const auto* m = reinterpret_cast<const EMRMOVETOEX*>(record);
      drawn->push_back({Drawn::kMove, {m->ptl.x, m->ptl.y}, {}});
      break;
    }
    case EMR_LINETO: {
      const auto* l = reinterpret_cast<const EMRLINETO*>(record);
      drawn->push_back({Drawn::kLine, {l->ptl.x, l->ptl.y}, {}});
      break;
    }
    default:
      break;
  }
  return 1;
}

// The page of a print-all as drawn records, with the line height, gap and width it used.
struct Page {
  std::vector<Drawn> drawn;
  int lineHeight = 0;
  int gap = 0;
  int width = 0;
};

// Under Wine a metafile dc measures no text in its default font; printing selects the
// printer font the same way.
HFONT TestPrinterFont() {
  LOGFONTA font = {};
  font.lfHeight = -12;
  lstrcpyA(font.lfFaceName, "MS Gothic");
  return CreateFontIndirectA(&font);
}

std::vector<Drawn> RecordsOf(HDC metafileDc) {
  std::vector<Drawn> drawn;
  HENHMETAFILE metafile = CloseEnhMetaFile(metafileDc);
  EnumEnhMetaFile(nullptr, metafile, Collect, &drawn, nullptr);
  DeleteEnhMetaFile(metafile);
  return drawn;
}

Page RecordPrintAll(HWND mainWindow) {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  HFONT printerFont = TestPrinterFont();
  SelectObject(dc, printerFont);
  Page page;
  SIZE cell = {0, 0};
  GetTextExtentPoint32A(dc, "1234", 4, &cell);
  page.lineHeight = cell.cy;
  page.gap = GetDeviceCaps(dc, LOGPIXELSY) / 10;
  page.width = GetDeviceCaps(dc, HORZRES);
  DrawAllMemosPage(mainWindow, dc);
  page.drawn = RecordsOf(dc);
  DeleteObject(printerFont);
  return page;
}

// Memos out of window order: equal tops, one left out of the arrangement, one hidden.
constexpr char kFourMemos[] =
    "[Pinlark]\r\n"
    "MemoPos0=300 200 120 40\r\nMemo0=alpha\\r\\nsecond line\r\n"
    "MemoPos1=300 100 120 40\r\nMemo1=bravo\r\n"
    "MemoPos2=500 200 120 40\r\nMemo2=charlie\\r\\n\r\n"
    "MemoPos3=700 50 120 40\r\nMemoNoArrange3=1\r\nMemo3=delta\\r\\n\\r\\nafter an empty line\r\n";

TEST(PrintAll, PageHoldsEveryMemoByTopEachFollowedByALine) {
  test::MainWindowFixture main(kFourMemos);
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 4);
  ShowWindow(r->memos[1], SW_HIDE);

  const Page page = RecordPrintAll(main.window());
  ASSERT_GT(page.lineHeight, 0);
  std::vector<Drawn> texts, lines;
  for (const Drawn& d : page.drawn) (d.kind == Drawn::kText ? texts : lines).push_back(d);

  // delta (top 50), bravo (100, hidden), alpha and charlie (200, in list order).
  const std::vector<std::string> expectedTexts = {"delta", "after an empty line", "bravo", "alpha", "second line",
                                                  "charlie"};
  const int h = page.lineHeight, g = page.gap;
  // delta has three lines, the middle one empty; charlie's final line break adds none.
  const std::vector<int> expectedY = {0, 2 * h, 3 * h + 2 * g, 4 * h + 4 * g, 5 * h + 4 * g, 6 * h + 6 * g};
  std::vector<Drawn> nonEmpty;
  for (const Drawn& d : texts) {
    if (!d.text.empty()) nonEmpty.push_back(d);
  }
  ASSERT_EQ(nonEmpty.size(), expectedTexts.size());
  for (size_t i = 0; i < nonEmpty.size(); ++i) {
    EXPECT_EQ(nonEmpty[i].text, expectedTexts[i]) << i;
    EXPECT_EQ(nonEmpty[i].at.x, 0) << i;
    EXPECT_EQ(nonEmpty[i].at.y, expectedY[i]) << i;
  }

  // After each memo's last line: a gap, a line across the printable width, another gap.
  const std::vector<int> lineY = {3 * h + g, 4 * h + 3 * g, 6 * h + 5 * g, 7 * h + 7 * g};
  ASSERT_EQ(lines.size(), 2 * lineY.size());
  for (size_t i = 0; i < lineY.size(); ++i) {
    EXPECT_EQ(lines[2 * i].kind, Drawn::kMove);
    EXPECT_EQ(lines[2 * i].at.x, 0);
    EXPECT_EQ(lines[2 * i].at.y, lineY[i]) << i;
    EXPECT_EQ(lines[2 * i + 1].kind, Drawn::kLine);
    EXPECT_EQ(lines[2 * i + 1].at.x, page.width);
    EXPECT_EQ(lines[2 * i + 1].at.y, lineY[i]) << i;
  }
}

TEST(PrintAll, NoMemosGiveAnEmptyPage) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  EXPECT_TRUE(RecordPrintAll(main.window()).drawn.empty());
}

TEST(PrintAll, WideLinesWrapAndTextPastTheBottomGoesOnTheNextPage) {
  std::string digits;
  for (int i = 0; i < 10; ++i) digits += "0123456789";
  std::string lines, ini = "[Pinlark]\r\nMemoPos0=300 100 120 40\r\nMemo0=first memo\\r\\n" + digits + "\r\n";
  std::vector<std::string> expected = {"first memo", digits};
  for (int i = 10; i < 22; ++i) {
    const std::string line = "line " + std::to_string(i) + "\t\x82\xa0";  // a tab and a double-byte character
    lines += (lines.empty() ? "" : "\\r\\n") + line;
    expected.push_back(line);
  }
  ini += "MemoPos1=300 200 120 40\r\nMemo1=" + lines + "\r\n";
  test::MainWindowFixture main(ini.c_str());

  HFONT font = TestPrinterFont();
  HDC layoutDc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SelectObject(layoutDc, font);
  SIZE digitsCell = {0, 0}, cell = {0, 0};
  GetTextExtentPoint32A(layoutDc, "0123456789", 10, &digitsCell);
  GetTextExtentPoint32A(layoutDc, "1234", 4, &cell);
  ASSERT_GT(cell.cy, 0);
  const int width = digitsCell.cx * 3 + digitsCell.cx / 2, height = cell.cy * 7;
  const PrintedPages pages = LayOutAllMemos(main.window(), layoutDc, width, height);
  ASSERT_GE(pages.pages.size(), 3u);

  // Every line's text in order across the pages, a wrapped line's pieces one after another,
  // none wider than the page nor passing its bottom; each further page starts at its top.
  std::vector<std::string> printed;
  int rules = 0;
  for (std::size_t p = 0; p < pages.pages.size(); ++p) {
    HDC pageDc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(pageDc, font);
    DrawPrintedPage(pageDc, pages, p);
    const std::vector<Drawn> drawn = RecordsOf(pageDc);
    ASSERT_FALSE(drawn.empty()) << "page " << p;
    EXPECT_EQ(drawn.front().at.y, 0) << "page " << p;
    int lastY = -1;
    for (const Drawn& d : drawn) {
      if (d.kind == Drawn::kLine) ++rules;
      if (d.kind != Drawn::kText) continue;
      EXPECT_LE(d.at.y + cell.cy, height) << d.text;
      SIZE extent = {0, 0};
      GetTextExtentPoint32A(layoutDc, d.text.c_str(), static_cast<int>(d.text.size()), &extent);
      EXPECT_LE(d.at.x + extent.cx, width) << d.text;
      // A tab splits a line into texts drawn at the same height.
      if (d.at.y == lastY) {
        printed.back() += "\t" + d.text;
      } else {
        printed.push_back(d.text);
      }
      lastY = d.at.y;
    }
  }
  EXPECT_EQ(rules, 2);
  ASSERT_GE(printed.size(), expected.size());
  std::vector<std::string> joined = {printed[0], printed[1]};
  std::size_t next = 2;
  while (next < printed.size() && joined[1].size() < digits.size()) joined[1] += printed[next++];
  EXPECT_GT(next, 3u) << "the digits took several lines";
  joined.insert(joined.end(), printed.begin() + static_cast<std::ptrdiff_t>(next), printed.end());
  EXPECT_EQ(joined, expected);
  DeleteEnhMetaFile(CloseEnhMetaFile(layoutDc));
  DeleteObject(font);
}

TEST(PrinterFont, IsTheMemoFontScaledToThePrinter) {
  LOGFONTA memo = {};
  memo.lfHeight = -12;
  memo.lfWidth = 5;
  memo.lfWeight = FW_BOLD;
  memo.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpyA(memo.lfFaceName, "MS Gothic");
  HFONT memoFont = CreateFontIndirectA(&memo);
  HFONT printerFont = CreatePrinterFont(memoFont, 600, 96);
  ASSERT_NE(printerFont, nullptr);
  LOGFONTA printed;
  ASSERT_EQ(GetObjectA(printerFont, sizeof printed, &printed), static_cast<int>(sizeof printed));
  EXPECT_EQ(printed.lfHeight, -75);
  EXPECT_EQ(printed.lfWidth, 5);
  EXPECT_EQ(printed.lfWeight, FW_BOLD);
  EXPECT_EQ(printed.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_STREQ(printed.lfFaceName, "MS Gothic");
  DeleteObject(printerFont);
  DeleteObject(memoFont);
}

// Printers the tests put in place of the print dialog.
int g_chosen = 0;
HDC Cancelled(HWND, PrintCopies*) {
  ++g_chosen;
  return nullptr;
}
HDC NotAPrinter(HWND, PrintCopies*) {  // a memory dc takes no print job
  ++g_chosen;
  return CreateCompatibleDC(nullptr);
}

class PrintJob : public ::testing::Test {
 protected:
  void TearDown() override { SetChoosePrinterFunction(nullptr); }
};

TEST_F(PrintJob, ACancelledDialogPrintsNothingAndSaysNothing) {
  test::MainWindowFixture main("[Pinlark]\r\nMemo0=text\r\n");
  SetChoosePrinterFunction(Cancelled);
  g_chosen = 0;
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  main.Send(WM_COMMAND, IDM_PRINT_ALL);
  SendMessageA(GetSettingsRecord(main.window())->memos[0], WM_COMMAND, IDM_PRINT_MEMO, 0);
  EXPECT_EQ(g_chosen, 2);
  EXPECT_FALSE(watcher.Stop()) << watcher.seen().staticText;
}

TEST_F(PrintJob, AJobThatCannotStartIsReportedAndLeavesNoFontBehind) {
  LOGFONTA memo = {};
  memo.lfHeight = -12;
  lstrcpyA(memo.lfFaceName, "MS Gothic");
  test::MainWindowFixture main("[Pinlark]\r\nMemo0=text\r\n");
  SettingsRecord* r = GetSettingsRecord(main.window());
  HFONT previous = r->memoFont;
  r->memoFont = CreateFontIndirectA(&memo);
  SetChoosePrinterFunction(NotAPrinter);
  g_chosen = 0;
  {
    test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
    SendMessageA(r->memos[0], WM_COMMAND, IDM_PRINT_MEMO, 0);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().staticText.rfind(text::kPrintStartFailed, 0), 0u) << watcher.seen().staticText;
  }
  EXPECT_EQ(g_chosen, 1);
  EXPECT_EQ(r->printerFont, nullptr);
  DeleteObject(r->memoFont);
  r->memoFont = previous;
}

}  // namespace
}  // namespace pinlark
