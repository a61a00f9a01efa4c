#include "menu_line.h"

#include <gtest/gtest.h>

#include <string>

namespace lv {
namespace {

const char* KindName(LineKind k) {
  switch (k) {
    case LineKind::Comment: return "Comment";
    case LineKind::Blank: return "Blank";
    case LineKind::Ignored: return "Ignored";
    case LineKind::Entry: return "Entry";
    case LineKind::Attached: return "Attached";
    case LineKind::Setting: return "Setting";
  }
  return "?";
}

struct KindCase {
  std::string line;
  LineKind kind;
  std::string key;    // checked for Entry and Ignored lines
  std::string value;  // checked for Entry lines
};

void ExpectKinds(const KindCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const KindCase& c = cases[i];
    MenuLine r = ClassifyLine(c.line);
    EXPECT_STREQ(KindName(r.kind), KindName(c.kind)) << "line \"" << c.line << "\"";
    if (c.kind == LineKind::Entry || c.kind == LineKind::Ignored) {
      EXPECT_EQ(r.key, c.key) << "line \"" << c.line << "\"";
    }
    if (c.kind == LineKind::Entry) {
      EXPECT_EQ(r.value, c.value) << "line \"" << c.line << "\"";
    }
  }
}

TEST(ClassifyLine, CommentRules) {
  const KindCase cases[] = {
      {";", LineKind::Comment, "", ""},
      {"; muistio = notepad", LineKind::Comment, "", ""},
      {";x=y", LineKind::Comment, "", ""},
      {"rem muistio = notepad", LineKind::Comment, "", ""},
      {"REM muistio = notepad", LineKind::Comment, "", ""},
      {"Rem muistio = notepad", LineKind::Comment, "", ""},
      {"rEm ", LineKind::Comment, "", ""},
      // Not comments: the ";" must come first, and "rem" must be followed by a space.
      {"  ; muistio = notepad", LineKind::Entry, "; muistio", "notepad"},
      {"\t;x=y", LineKind::Entry, "\t;x", "y"},
      {"remx = notepad", LineKind::Entry, "remx", "notepad"},
      {"remark = notepad", LineKind::Entry, "remark", "notepad"},
      {"rem=notepad", LineKind::Entry, "rem", "notepad"},
      {"rem\tx = y", LineKind::Entry, "rem\tx", "y"},
      {" rem x = y", LineKind::Entry, "rem x", "y"},
      {"rem", LineKind::Ignored, "rem", ""},
  };
  ExpectKinds(cases, std::size(cases));
}

TEST(ClassifyLine, BlankOnlyForSpaces) {
  const KindCase cases[] = {
      {"", LineKind::Blank, "", ""},
      {" ", LineKind::Blank, "", ""},
      {"      ", LineKind::Blank, "", ""},
      // A tab or a no-break space is text: the line is not blank, just ignored.
      {"\t", LineKind::Ignored, "\t", ""},
      {" \t ", LineKind::Ignored, "\t", ""},
      {"\xC2\xA0", LineKind::Ignored, "\xC2\xA0", ""},
      {std::string("\0", 1), LineKind::Ignored, std::string("\0", 1), ""},
  };
  ExpectKinds(cases, std::size(cases));
}

TEST(ClassifyLine, SplitAtTheFirstEqualsSign) {
  const KindCase cases[] = {
      {"muistio = notepad", LineKind::Entry, "muistio", "notepad"},
      {"muistio=notepad", LineKind::Entry, "muistio", "notepad"},
      {"   muistio   =   notepad   ", LineKind::Entry, "muistio", "notepad"},
      {"&Muistio = notepad %valikko.oma%", LineKind::Entry, "&Muistio", "notepad %valikko.oma%"},
      {"Käynnistä = cmd /c start \"\" x", LineKind::Entry, "Käynnistä", "cmd /c start \"\" x"},
      // Whatever follows a second "=" is dropped.
      {"a = b = c", LineKind::Entry, "a", "b"},
      {"set = x=1", LineKind::Entry, "set", "x"},
      {"a==b", LineKind::Ignored, "a", ""},
      {"=notepad", LineKind::Entry, "", "notepad"},
      {" = notepad", LineKind::Entry, "", "notepad"},
      {"=", LineKind::Ignored, "", ""},
      {"==", LineKind::Ignored, "", ""},
      {"muistio", LineKind::Ignored, "muistio", ""},
      {"muistio =", LineKind::Ignored, "muistio", ""},
      {"muistio =    ", LineKind::Ignored, "muistio", ""},
      // Only spaces are trimmed; tabs and no-break spaces stay in key and value.
      {"key\t=\tvalue", LineKind::Entry, "key\t", "\tvalue"},
      {"\xC2\xA0key = \xC2\xA0value\xC2\xA0", LineKind::Entry, "\xC2\xA0key",
       "\xC2\xA0value\xC2\xA0"},
      {"a = b\n", LineKind::Entry, "a", "b\n"},
  };
  ExpectKinds(cases, std::size(cases));
}

TEST(ClassifyLine, KeysThatAreNotQuiteKeysMakeEntries) {
  const KindCase cases[] = {
      {". ctrl = notepad", LineKind::Entry, ". ctrl", "notepad"},
      {".ctrlx = notepad", LineKind::Entry, ".ctrlx", "notepad"},
      {"ctrl = notepad", LineKind::Entry, "ctrl", "notepad"},
      {".ctrl\t= notepad", LineKind::Entry, ".ctrl\t", "notepad"},
      {"title2 = x", LineKind::Entry, "title2", "x"},
      {"cmdaja = 5", LineKind::Entry, "cmdaja", "5"},
      {"cmdaja.heigth = 5", LineKind::Entry, "cmdaja.heigth", "5"},
      {"me. left = 5", LineKind::Entry, "me. left", "5"},
      {"\xC2\xA0title = x", LineKind::Entry, "\xC2\xA0title", "x"},
  };
  ExpectKinds(cases, std::size(cases));
}

struct KeyCase {
  const char* line;
  LineKind kind;
  AttachedField field;
  SettingKey setting;
  const char* value;
};

TEST(ClassifyLine, EveryKeyInAnyCaseWithOrWithoutValue) {
  const KeyCase cases[] = {
      {".ctrl = cmd /k @echo ctrl", LineKind::Attached, AttachedField::Ctrl, {}, "cmd /k @echo ctrl"},
      {".alt = a", LineKind::Attached, AttachedField::Alt, {}, "a"},
      {".shift = s", LineKind::Attached, AttachedField::Shift, {}, "s"},
      {".tooltip = shift: restart", LineKind::Attached, AttachedField::Tooltip, {}, "shift: restart"},
      {".tip = t", LineKind::Attached, AttachedField::Tooltip, {}, "t"},
      {".tooltiptext = tt", LineKind::Attached, AttachedField::Tooltip, {}, "tt"},
      {".right = r", LineKind::Attached, AttachedField::Right, {}, "r"},
      {".middle = m", LineKind::Attached, AttachedField::Middle, {}, "m"},
      {".shiftctrl = cmd /k @echo shift + ctrl   ", LineKind::Attached, AttachedField::ShiftCtrl,
       {}, "cmd /k @echo shift + ctrl"},
      {".clicktitle = Odota ...", LineKind::Attached, AttachedField::ClickTitle, {}, "Odota ..."},
      {"title = Oma valikko", LineKind::Setting, {}, SettingKey::Title, "Oma valikko"},
      {"cmdaja.height=350", LineKind::Setting, {}, SettingKey::ButtonHeight, "350"},
      {"cmdaja.width=3800", LineKind::Setting, {}, SettingKey::ButtonWidth, "3800"},
      {"me.left = 1200", LineKind::Setting, {}, SettingKey::WindowLeft, "1200"},
      {"me.top = -300", LineKind::Setting, {}, SettingKey::WindowTop, "-300"},
      // Any case, as the placement report writes them.
      {".CTRL = x", LineKind::Attached, AttachedField::Ctrl, {}, "x"},
      {".ShiftCtrl = x", LineKind::Attached, AttachedField::ShiftCtrl, {}, "x"},
      {".ToolTipText = x", LineKind::Attached, AttachedField::Tooltip, {}, "x"},
      {".ClickTitle = x", LineKind::Attached, AttachedField::ClickTitle, {}, "x"},
      {"TITLE = x", LineKind::Setting, {}, SettingKey::Title, "x"},
      {"cmdAja.width = 3800", LineKind::Setting, {}, SettingKey::ButtonWidth, "3800"},
      {"CMDAJA.HEIGHT = 350", LineKind::Setting, {}, SettingKey::ButtonHeight, "350"},
      {"Me.Left = 1", LineKind::Setting, {}, SettingKey::WindowLeft, "1"},
      {"ME.TOP = 2", LineKind::Setting, {}, SettingKey::WindowTop, "2"},
      // Bare keys and empty values still make the line what its key says.
      {"title", LineKind::Setting, {}, SettingKey::Title, ""},
      {"title =", LineKind::Setting, {}, SettingKey::Title, ""},
      {"cmdaja.height", LineKind::Setting, {}, SettingKey::ButtonHeight, ""},
      {".ctrl", LineKind::Attached, AttachedField::Ctrl, {}, ""},
      {".right = ", LineKind::Attached, AttachedField::Right, {}, ""},
      {".tooltip = ", LineKind::Attached, AttachedField::Tooltip, {}, ""},
      {"  .alt  =  x  ", LineKind::Attached, AttachedField::Alt, {}, "x"},
      // The value keeps its case and its no-break space.
      {"title = \xC2\xA0Lumora", LineKind::Setting, {}, SettingKey::Title, "\xC2\xA0Lumora"},
      {".ctrl = NotePad", LineKind::Attached, AttachedField::Ctrl, {}, "NotePad"},
  };
  for (const KeyCase& c : cases) {
    MenuLine r = ClassifyLine(c.line);
    EXPECT_STREQ(KindName(r.kind), KindName(c.kind)) << c.line;
    if (c.kind == LineKind::Attached) {
      EXPECT_EQ(r.field, c.field) << c.line;
    }
    if (c.kind == LineKind::Setting) {
      EXPECT_EQ(r.setting, c.setting) << c.line;
    }
    EXPECT_EQ(r.value, c.value) << c.line;
  }
}

TEST(ClassifyLine, ResultPointsIntoTheLine) {
  const std::string line = "  muistio = notepad  ";
  MenuLine r = ClassifyLine(line);
  ASSERT_EQ(r.kind, LineKind::Entry);
  EXPECT_EQ(r.key.data(), line.data() + 2);
  EXPECT_EQ(r.value.data(), line.data() + 12);
}

}  // namespace
}  // namespace lv
