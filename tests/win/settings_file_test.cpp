#include "app/settings_file.h"
#include "app/settings_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "windows_helpers.h"

namespace pinlark {
namespace {

std::optional<std::string> ReadBytes(const std::string& path) { return test::ReadFileBytes(path); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(test::WriteFileBytes(path, bytes)) << path << " (error " << GetLastError() << ")";
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(test::WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Each test works in a folder of its own under the user's temporary folder.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.path().empty());
    dir_ = folder_.path().substr(0, folder_.path().size() - 1);
    ini_ = dir_ + "\\pinlark.ini";
  }

  bool SaveOne(const char* key, const char* value) {
    return UpdateSettingsFile(ini_, [&](IniDocument& d) { d.Set("Pinlark", key, value); });
  }

  // No .tmp or .prev is left behind by a save that ended, well or not.
  void ExpectNoLeftovers(const std::string& ini) {
    EXPECT_FALSE(Exists(ini + ".tmp"));
    EXPECT_FALSE(Exists(ini + ".prev"));
  }

  test::TempFolder folder_{"pinlark-settings"};
  std::string dir_;
  std::string ini_;
};

TEST_F(SettingsFile, CreatesTheFileWhenMissing) {
  IniDocument doc = IniDocument::Parse("[x]\r\nstale=1\r\n");
  ASSERT_TRUE(ReadSettingsFile(ini_, &doc));
  EXPECT_EQ(doc.Serialize(), "");
  EXPECT_FALSE(SettingsFileExists(ini_));

  ASSERT_TRUE(SaveOne("MinColumn", "40"));
  EXPECT_TRUE(SettingsFileExists(ini_));
  EXPECT_EQ(ReadBytes(ini_), "[Pinlark]\r\nMinColumn=40\r\n");
  EXPECT_FALSE(Exists(ini_ + ".bak"));  // there was no previous file
  ExpectNoLeftovers(ini_);
}

TEST_F(SettingsFile, KeepsOtherLinesAndThePreviousFileAsBak) {
  const std::string original =
      "\xEF\xBB\xBF; hand-written comment\n"
      "[Window]\n"
      "Left=10\n"
      "\n"
      "[pinlark]\r\n"
      "minColumn = 20\r\n"
      "Memo1=\x95\x5C\r\n"
      "Unknown=kept\r\n";
  WriteBytes(ini_, original);
  ASSERT_TRUE(UpdateSettingsFile(ini_, [](IniDocument& d) {
    d.Set("Pinlark", "MinColumn", "40");
    d.Remove("Pinlark", "Memo1");
    d.Set("Pinlark", "DefaultColor", "80ffff");
  }));
  const std::string first =
      "\xEF\xBB\xBF; hand-written comment\n"
      "[Window]\n"
      "Left=10\n"
      "\n"
      "[pinlark]\r\n"
      "minColumn = 40\r\n"
      "Unknown=kept\r\n"
      "DefaultColor=80ffff\r\n";
  EXPECT_EQ(ReadBytes(ini_), first);
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), original);
  ExpectNoLeftovers(ini_);

  // The next save keeps the file of this one, and the two do not share their bytes.
  ASSERT_TRUE(SaveOne("MinColumn", "50"));
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), first);
  IniDocument reread;
  ASSERT_TRUE(ReadSettingsFile(ini_, &reread));
  EXPECT_EQ(reread.GetInt("Pinlark", "MinColumn", 0), 50);
  EXPECT_EQ(reread.GetString("Window", "Left", ""), "10");
}

// Short and long lines, new, changed and kept, reach the file in their order.
TEST_F(SettingsFile, WritesExactlyTheChangedDocument) {
  std::string longA, longB;
  while (longA.size() < 40000) longA += "a\x95\x5C ";
  while (longB.size() < 20000) longB += "b\\";
  const auto first = [&](IniDocument& d) {
    d.Set("Pinlark", "A", "1");
    d.Set("Pinlark", "Memo0", longA);
    d.Set("Pinlark", "B", "2");
    d.Set("Other", "C", longB);
    d.Set("Other", "D", "4");
  };
  const auto second = [&](IniDocument& d) {
    d.Set("Pinlark", "Memo0", longA);  // as it is
    d.Set("Pinlark", "B", longB);
    d.Set("Pinlark", "A", "short");
    d.Remove("Other", "C");
    d.Set("Third", "E", longA);
  };
  IniDocument expected;
  first(expected);
  ASSERT_TRUE(UpdateSettingsFile(ini_, first));  // a new file: every line is new
  std::optional<std::string> bytes = ReadBytes(ini_);
  EXPECT_TRUE(bytes == expected.Serialize()) << (bytes ? bytes->size() : 0) << " bytes";
  second(expected);
  ASSERT_TRUE(UpdateSettingsFile(ini_, second));
  bytes = ReadBytes(ini_);
  EXPECT_TRUE(bytes == expected.Serialize()) << (bytes ? bytes->size() : 0) << " bytes";
}

// Saves reuse the memory they read into; each still reads the file as it is now, and a
// document kept from one save keeps its bytes.
TEST_F(SettingsFile, EverySaveReadsTheFileAsItIsNow) {
  const std::string big = "[Pinlark]\r\nMemo0=" + std::string(100000, 'x') + "\r\n[Other]\r\nkept=1\r\n";
  WriteBytes(ini_, big);
  IniDocument kept;
  ASSERT_TRUE(UpdateSettingsFile(ini_, [&](IniDocument& d) {
    d.Set("Pinlark", "A", "1");
    kept = d;
  }));
  const std::string first = "[Pinlark]\r\nMemo0=" + std::string(100000, 'x') + "\r\nA=1\r\n[Other]\r\nkept=1\r\n";
  WriteBytes(ini_, "[Other]\r\nnew=2\r\n");  // another program writes a shorter file
  ASSERT_TRUE(SaveOne("A", "2"));
  EXPECT_EQ(ReadBytes(ini_), "[Other]\r\nnew=2\r\n[Pinlark]\r\nA=2\r\n");
  EXPECT_TRUE(kept.Serialize() == first);
  WriteBytes(ini_, big);  // and a longer one again
  ASSERT_TRUE(SaveOne("A", "3"));
  const std::string third = "[Pinlark]\r\nMemo0=" + std::string(100000, 'x') + "\r\nA=3\r\n[Other]\r\nkept=1\r\n";
  EXPECT_TRUE(ReadBytes(ini_) == third);
  EXPECT_TRUE(kept.Serialize() == first);
}

TEST_F(SettingsFile, OverwritesWhatAnInterruptedSaveLeft) {
  WriteBytes(ini_, "[Pinlark]\r\nMinColumn=40\r\n");
  WriteBytes(ini_ + ".tmp", "[Pinlark]\r\nMinColumn=4");  // cut short by a crash
  WriteBytes(ini_ + ".prev", "half a copy");
  ASSERT_TRUE(SaveOne("MaxColumn", "80"));
  EXPECT_EQ(ReadBytes(ini_), "[Pinlark]\r\nMinColumn=40\r\nMaxColumn=80\r\n");
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), "[Pinlark]\r\nMinColumn=40\r\n");
  ExpectNoLeftovers(ini_);
}

TEST_F(SettingsFile, WorksInFoldersNamedInCodePage932) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8)";
  const std::string folder = dir_ + "\\\x95\x5C\x8E\xA6\x83\x5C";  // ends in 0x5C trail bytes
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
  const std::string ini = folder + "\\\x90\xDD\x92\xE8.ini";
  ASSERT_TRUE(UpdateSettingsFile(ini, [](IniDocument& d) { d.Set("Pinlark", "A", "1"); }));
  ASSERT_TRUE(UpdateSettingsFile(ini, [](IniDocument& d) { d.Set("Pinlark", "A", "2"); }));
  EXPECT_EQ(ReadBytes(ini), "[Pinlark]\r\nA=2\r\n");
  EXPECT_EQ(ReadBytes(ini + ".bak"), "[Pinlark]\r\nA=1\r\n");
  ExpectNoLeftovers(ini);
}

// Names of 256 to 259 bytes, whose temporary and backup names pass the limit of the "A" calls.
TEST_F(SettingsFile, SavesUnderTheLongestNamesTheProgramCanHave) {
  for (size_t length = 256; length <= 259; ++length) {
    SCOPED_TRACE(length);
    const std::string folder = dir_ + "\\" + std::string(length - dir_.size() - 13, 'd');
    ASSERT_TRUE(CreateDirectoryW(test::WidePath(folder).c_str(), nullptr)) << GetLastError();
    const std::string ini = folder + "\\pinlark.ini";
    ASSERT_EQ(ini.size(), length);
    ASSERT_TRUE(UpdateSettingsFile(ini, [](IniDocument& d) { d.Set("Pinlark", "A", "1"); })) << GetLastError();
    ASSERT_TRUE(UpdateSettingsFile(ini, [](IniDocument& d) { d.Set("Pinlark", "A", "2"); })) << GetLastError();
    EXPECT_EQ(ReadBytes(ini), "[Pinlark]\r\nA=2\r\n");
    EXPECT_EQ(ReadBytes(ini + ".bak"), "[Pinlark]\r\nA=1\r\n");
    ExpectNoLeftovers(ini);
    for (const char* leftover : {".bak", ""}) DeleteFileW(test::WidePath(ini + leftover).c_str());
    RemoveDirectoryW(test::WidePath(folder).c_str());
  }
}

// A file that is no longer the version last read or written is kept beside it, once, under a
// name of its own; the save then goes ahead on it.
TEST_F(SettingsFile, KeepsAFileSomeoneElseChangedBesideItOnce) {
  SettingsFileStamp stamp;
  IniDocument doc;
  ASSERT_TRUE(ReadSettingsFile(ini_, &doc, &stamp));  // none yet
  std::string copy;
  const auto save = [&](const char* value) {
    return UpdateSettingsFile(ini_, [&](IniDocument& d) { d.Set("Pinlark", "A", value); }, &stamp, &copy);
  };
  std::vector<std::string> copies;
  for (const char* foreign : {"[Other]\r\nx=1\r\n", "[Other]\r\nx=22\r\n", "[Other]\r\nx=333\r\n"}) {
    WriteBytes(ini_, foreign);
    ASSERT_TRUE(save("1"));
    ASSERT_EQ(copy.rfind(ini_ + ".changed-", 0), 0u) << copy;
    EXPECT_EQ(ReadBytes(copy), foreign);
    EXPECT_EQ(ReadBytes(ini_), foreign + std::string("[Pinlark]\r\nA=1\r\n"));
    for (const std::string& earlier : copies) EXPECT_NE(copy, earlier) << "within one second too";
    copies.push_back(copy);
    ASSERT_TRUE(save("2"));  // the program's own save is no foreign change
    EXPECT_EQ(copy, "");
  }
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((dir_ + "\\*").c_str(), &found);
  int files = 0;
  do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (FindNextFileA(find, &found));
  FindClose(find);
  EXPECT_EQ(files, 5) << "the file, its .bak and the three copies";
}

// Saved as "Unicode" by an editor: read in the code page, written back whole in UTF-16, with
// what the code page lacks kept in the lines the program leaves alone.
TEST_F(SettingsFile, KeepsAUtf16FileInUtf16) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page (LANG=ja_JP.UTF-8)";
  const std::string before = test::Utf16Bytes(L"\xFEFF; \xD83D\xDE00\r\n[Pinlark]\r\nMemo0=\x8868\r\n");
  WriteBytes(ini_, before);
  IniDocument doc;
  ASSERT_TRUE(ReadSettingsFile(ini_, &doc));
  EXPECT_EQ(doc.GetString("Pinlark", "Memo0", ""), "\x95\x5C");
  ASSERT_TRUE(SaveOne("Memo1", "\x83\x5C"));
  EXPECT_EQ(ReadBytes(ini_), before + test::Utf16Bytes(L"Memo1=\x30BD\r\n"));
}

TEST_F(SettingsFile, AFailedSaveChangesNothingAndSetsTheLastError) {
  auto change = [](IniDocument& d) { d.Set("Pinlark", "MinColumn", "99"); };

  // The folder does not exist.
  const std::string nowhere = dir_ + "\\missing\\pinlark.ini";
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UpdateSettingsFile(nowhere, change));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(Exists(dir_ + "\\missing"));

  // The settings file is a folder: it exists but cannot be read.
  ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));
  EXPECT_FALSE(SettingsFileExists(ini_));
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UpdateSettingsFile(ini_, change));
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(GetFileAttributesA(ini_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  ExpectNoLeftovers(ini_);
  ASSERT_TRUE(RemoveDirectoryA(ini_.c_str()));

  // Another program holds the file open without sharing it: it cannot be read, and writing
  // without its lines would lose them.
  const std::string before = "[Pinlark]\r\nMinColumn=40\r\n[Other]\r\nx=1\r\n";
  WriteBytes(ini_, before);
  WriteBytes(ini_ + ".bak", "older");
  HANDLE lock = CreateFileA(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  IniDocument doc;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(ReadSettingsFile(ini_, &doc));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UpdateSettingsFile(ini_, change));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(lock);
  EXPECT_EQ(ReadBytes(ini_), before);
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), "older");
  ExpectNoLeftovers(ini_);
}

TEST_F(SettingsFile, AFailedReplaceKeepsTheFileAndItsBackup) {
  const std::string before = "[Pinlark]\r\nMinColumn=40\r\n";
  auto change = [](IniDocument& d) { d.Set("Pinlark", "MinColumn", "99"); };
  WriteBytes(ini_, before);
  WriteBytes(ini_ + ".bak", "older");
  // What a save killed between its link and its rename leaves: .prev is the file itself.
  ASSERT_TRUE(CreateHardLinkA((ini_ + ".prev").c_str(), ini_.c_str(), nullptr));

  // Another program has the file open, sharing reading and writing but not its removal: the
  // file can be read and the new one written, but it cannot be replaced (nor the stale link
  // removed).
  HANDLE holder = CreateFileA(ini_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UpdateSettingsFile(ini_, change));
  DWORD error = GetLastError();
  EXPECT_TRUE(error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) << error;
  CloseHandle(holder);
  EXPECT_EQ(ReadBytes(ini_), before);
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), "older");
  EXPECT_FALSE(Exists(ini_ + ".tmp"));

  // A read-only file is not replaced either (Windows refuses the rename; Wine would not).
  ASSERT_TRUE(SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UpdateSettingsFile(ini_, change));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(ini_), before);
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), "older");
  EXPECT_FALSE(Exists(ini_ + ".tmp"));

  // Once the file is free again, a save goes through and clears what the failed ones left.
  ASSERT_TRUE(SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(UpdateSettingsFile(ini_, change));
  EXPECT_EQ(ReadBytes(ini_), "[Pinlark]\r\nMinColumn=99\r\n");
  EXPECT_EQ(ReadBytes(ini_ + ".bak"), before);
  ExpectNoLeftovers(ini_);
}

// ---- The fault test: a writer killed at random moments ------------------------------------

constexpr int kKeys = 1024;
constexpr size_t kValueBytes = 2000;  // 1,024 keys of 2,000 bytes: a ~2 MB file
const char kForeign[] = "; written by hand\r\n[Window]\r\nLeft=10\r\n\r\n";

// Must match settings_writer_child.cpp.
std::string KeyValue(int generation, int index, size_t length) {
  std::string v = std::to_string(generation) + ":" + std::to_string(index) + ":";
  while (v.size() + 2 <= length) v += "\x95\x5C";
  v.resize(length, '.');
  return v;
}

// The whole file of one generation: the hand-written lines, then the section the writer added.
std::string WholeGeneration(int generation) {
  std::string file = kForeign;
  file += "[Pinlark]\r\nGeneration=" + std::to_string(generation) + "\r\n";
  for (int i = 0; i < kKeys; ++i) {
    file += "Key" + std::to_string(i) + "=" + KeyValue(generation, i, kValueBytes) + "\r\n";
  }
  file += "Last=" + std::to_string(generation) + "\r\n";
  return file;
}

// The file parses, all its keys carry one generation, none is missing or cut, and nothing else
// is in it.
::testing::AssertionResult IsOneWholeGeneration(const std::optional<std::string>& bytes,
                                                int* generation) {
  if (!bytes) return ::testing::AssertionFailure() << "the file is missing";
  IniDocument doc = IniDocument::Parse(*bytes);
  *generation = doc.GetInt("Pinlark", "Generation", 0);
  if (*generation <= 0) return ::testing::AssertionFailure() << "no generation";
  for (int i = 0; i < kKeys; ++i) {
    std::string want = KeyValue(*generation, i, kValueBytes);
    if (doc.GetString("Pinlark", "Key" + std::to_string(i), "") != want) {
      return ::testing::AssertionFailure()
             << "Key" << i << " is missing or not of generation " << *generation;
    }
  }
  if (doc.GetInt("Pinlark", "Last", 0) != *generation) {
    return ::testing::AssertionFailure() << "Last is missing or of another generation";
  }
  std::string whole = WholeGeneration(*generation);
  if (*bytes != whole) {
    return ::testing::AssertionFailure() << bytes->size() << " bytes where generation "
                                         << *generation << " has " << whole.size();
  }
  return ::testing::AssertionSuccess();
}

std::string ChildProgram() {
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "";
  const auto systemLeadByte = [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; };
  return FolderOfPath(std::string(self, n), systemLeadByte) + "settings_writer_child.exe";
}

TEST_F(SettingsFile, AKillWhileWritingNeverLeavesATruncatedOrMixedFile) {
  const std::string child = ChildProgram();
  ASSERT_TRUE(SettingsFileExists(child)) << child;
  WriteBytes(ini_, kForeign);

  // Set by the writer after each save it completes.
  const std::string event_name = "PinlarkSettingsSaved-" + std::to_string(GetCurrentProcessId()) +
                                 "-" + std::to_string(GetTickCount());
  HANDLE saved = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
  ASSERT_NE(saved, nullptr);

  int last_generation = 0;
  int killed_with_temp_file = 0;
  for (int run = 0; run < 50; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ResetEvent(saved);
    std::string command = "\"" + child + "\" \"" + ini_ + "\" " + event_name + " " +
                          std::to_string(kKeys) + " " + std::to_string(kValueBytes);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(child.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << GetLastError();
    CloseHandle(process.hThread);

    // Let it finish one save, so every run moves the file on, then kill it a varying time
    // into the saves that follow.
    HANDLE waits[] = {saved, process.hProcess};
    DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 60000);
    if (woke == WAIT_OBJECT_0) Sleep(static_cast<DWORD>((run * 37) % 150));
    DWORD exit_code = 0;
    GetExitCodeProcess(process.hProcess, &exit_code);
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    ASSERT_EQ(woke, WAIT_OBJECT_0) << "the writer saved nothing (exit code " << exit_code << ")";

    if (Exists(ini_ + ".tmp")) ++killed_with_temp_file;
    int generation = 0;
    ASSERT_TRUE(IsOneWholeGeneration(ReadBytes(ini_), &generation));
    EXPECT_GT(generation, last_generation);
    // The backup is an older whole file too (the hand-written one until a save replaced it).
    std::optional<std::string> backup = ReadBytes(ini_ + ".bak");
    if (backup && *backup != kForeign) {
      int backup_generation = 0;
      EXPECT_TRUE(IsOneWholeGeneration(backup, &backup_generation));
      EXPECT_LT(backup_generation, generation);
    }
    last_generation = generation;
  }
  CloseHandle(saved);
  std::printf("[          ] %d of 50 kills left a temporary file (killed mid-save), %d saves\n",
              killed_with_temp_file, last_generation);
}

}  // namespace
}  // namespace pinlark
