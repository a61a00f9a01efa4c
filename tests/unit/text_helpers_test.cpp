#include "text_helpers.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(EtsiSana, FieldsOfAnEqualsLine) {
  struct Case {
    const char* rivi;
    int monesko;
    const char* expected;
  } cases[] = {
      {"muistio = notepad", 1, "muistio "},
      {"muistio = notepad", 2, " notepad"},
      {"muistio = notepad", 3, ""},
      {"no separator", 1, "no separator"},
      {"no separator", 2, ""},
      {"a=b=c=d", 2, "b"},
      {"a=b=c=d", 4, "d"},
      {"=value", 1, ""},
      {"key=", 2, ""},
      {"a==b", 2, ""},
      {"a=b", 0, ""},
      {"a=b", -3, ""},
      {"a=b", 32766, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fe_etsiSana(c.rivi, c.monesko, "="), c.expected) << c.rivi << " #" << c.monesko;
}

TEST(EtsiSana, EmptySeparatorGivesEmptyText) { EXPECT_EQ(fe_etsiSana("a=b", 1, ""), ""); }

TEST(KorvaaMerkki, ReplacesEveryExactOccurrence) {
  struct Case {
    const char* teksti;
    const char* merkki;
    const char* uusi;
    const char* expected;
  } cases[] = {
      {"notepad %valikko.oma% %valikko.oma%", "%valikko.oma%", "C:\\v\\valikko.oma",
       "notepad C:\\v\\valikko.oma C:\\v\\valikko.oma"},
      {"notepad", "%valikko.oma%", "X", "notepad"},
      {"notepad %VALIKKO.OMA%", "%valikko.oma%", "X", "notepad %VALIKKO.OMA%"},
      // A replacement that holds the text looked for must still end.
      {"a%x%b", "%x%", "[%x%]", "a[%x%]b"},
      {"aaa", "a", "aa", "aaaaaa"},
      {"abc", "", "X", "abc"},
      {"", "a", "b", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(fe_KorvaaMerkki(c.teksti, c.merkki, c.uusi), c.expected);
}

TEST(TrimSpaces, RemovesOnlyTheSpaceCharacter) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces("\xC2\xA0" "a "), "\xC2\xA0" "a");
  EXPECT_EQ(TrimSpaces("    "), "");
}

}  // namespace
}  // namespace lv
