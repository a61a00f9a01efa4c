#include "file_win.h"

#include <gtest/gtest.h>

#include "text_win.h"

namespace lv {
namespace {

// A folder of its own under the temporary folder, with files of every kind in it.
class FileExistsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    dir_ = WideToUtf8(temp) + "lv_file_exists_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Utf8ToWide(dir_).c_str(), nullptr);
    Make("tavallinen.txt", FILE_ATTRIBUTE_NORMAL);
    Make("vain luku.txt", FILE_ATTRIBUTE_READONLY);
    Make("piilo.txt", FILE_ATTRIBUTE_HIDDEN);
    Make("jarjestelma.txt", FILE_ATTRIBUTE_SYSTEM);
    Make("äöå.oma", FILE_ATTRIBUTE_NORMAL);
    CreateDirectoryW(Utf8ToWide(dir_ + "\\kansio.txt").c_str(), nullptr);
    CreateDirectoryW(Utf8ToWide(dir_ + "\\vain_piilo").c_str(), nullptr);
    MakeIn("vain_piilo\\a.oma", FILE_ATTRIBUTE_HIDDEN);
  }
  void TearDown() override {
    for (const char* name : {"tavallinen.txt", "vain luku.txt", "piilo.txt", "jarjestelma.txt",
                             "äöå.oma", "vain_piilo\\a.oma"}) {
      std::wstring path = Utf8ToWide(dir_ + "\\" + name);
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(Utf8ToWide(dir_ + "\\kansio.txt").c_str());
    RemoveDirectoryW(Utf8ToWide(dir_ + "\\vain_piilo").c_str());
    RemoveDirectoryW(Utf8ToWide(dir_).c_str());
  }
  void Make(const std::string& name, DWORD attributes) { MakeIn(name, attributes); }
  void MakeIn(const std::string& name, DWORD attributes) {
    HANDLE h = CreateFileW(Utf8ToWide(dir_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    CloseHandle(h);
  }
  std::string dir_;
};

TEST_F(FileExistsTest, OnlyOrdinaryFilesCount) {
  struct Case {
    std::string path;
    bool expected;
  } cases[] = {
      {dir_ + "\\tavallinen.txt", true},
      {dir_ + "\\vain luku.txt", true},  // read-only files count
      {dir_ + "\\äöå.oma", true},
      {dir_ + "\\piilo.txt", false},
      {dir_ + "\\jarjestelma.txt", false},
      {dir_ + "\\kansio.txt", false},  // a folder, whatever its name
      {dir_, false},
      {dir_ + "\\puuttuu.txt", false},
      {dir_ + "\\*", true},
      {dir_ + "\\*.oma", true},
      {dir_ + "\\piilo.tx?", false},
      {dir_ + "\\vain_piilo\\*", false},  // the only match is hidden
      {dir_ + "\\jarjestelma.txt\\x", false},
      {"", false},
      {"Q:\\ei\\asemaa\\valikko.oma", false},
      {"C:\\a<>|\"b", false},  // a malformed name
  };
  for (const Case& c : cases) EXPECT_EQ(fe_levylla(c.path), c.expected) << c.path;
}

TEST(ProgramLocation, FolderAndBaseNameOfTheRunningFile) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\') << "only a drive root keeps its backslash";
  std::string self = folder + "\\" + ProgramBaseName() + ".exe";
  EXPECT_TRUE(fe_levylla(self)) << self;
}

TEST(TextConversion, RoundTripsThroughUtf16) {
  for (const char* text : {"", "Käynnistys ok!", "€ – “x”", "\xF0\x9F\x98\x80 emoji"})
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  EXPECT_EQ(Utf8ToWide("ä"), L"\u00E4");
}

}  // namespace
}  // namespace lv
