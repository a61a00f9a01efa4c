#include "command_choice.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// The shutdown entry of the default menu file: every alternative and a click title.
MenuEntry Sammuta() {
  MenuEntry e;
  e.caption = "Sammuta";
  e.command = "cmd /K Title Sammutetaanko?";
  e.attached = {"cmd /k @echo ctrl", "cmd /k @echo alt",    "cmd /c start shutdown -r -t 0",
                "cmd /k @echo right", "cmd /k @echo middle", "cmd /k @echo shift + ctrl",
                "Odota ..."};
  return e;
}

TEST(CommandChoice, EveryPressOfTheShutdownEntry) {
  struct Case {
    int button, mask;
    const char* expected;
  } cases[] = {
      {kLeftButton, 0, "cmd /K Title Sammutetaanko?"},
      {kLeftButton, kShift, "cmd /c start shutdown -r -t 0"},
      {kLeftButton, kCtrl, "cmd /k @echo ctrl"},
      {kLeftButton, kShift | kCtrl, "cmd /k @echo shift + ctrl"},
      {kLeftButton, kAlt, "cmd /k @echo alt"},
      {kLeftButton, kShift | kAlt, "cmd /K Title Sammutetaanko?"},
      {kLeftButton, kCtrl | kAlt, "cmd /K Title Sammutetaanko?"},  // also AltGr
      {kLeftButton, kShift | kCtrl | kAlt, "cmd /K Title Sammutetaanko?"},
      {kRightButton, 0, "cmd /k @echo right"},
      {kRightButton, kShift, "cmd /k @echo right"},
      {kRightButton, kShift | kCtrl | kAlt, "cmd /k @echo right"},
      {kMiddleButton, kCtrl, "cmd /k @echo middle"},
  };
  for (const Case& c : cases) {
    PressAction a = DecidePress(Sammuta(), c.button, c.mask, "C:\\v\\valikko.oma");
    EXPECT_EQ(a.target, c.expected) << "button " << c.button << " mask " << c.mask;
    EXPECT_EQ(a.status, std::string("Suoritetaan komento: ") + c.expected);
    EXPECT_EQ(a.caption, "Odota ...");
    EXPECT_FALSE(a.webAddress);
  }
}

TEST(CommandChoice, EmptyAlternativesFallBackToThePlainCommandNeverToAModifier) {
  MenuEntry e;
  e.command = "plain";
  e.attached.shift = "shift";
  struct Case {
    int button, mask;
    const char* expected;
  } cases[] = {
      {kRightButton, kShift, "plain"},  // right wins over Shift, and right is empty
      {kMiddleButton, 0, "plain"},
      {kLeftButton, kAlt, "plain"},
      {kLeftButton, kShift, "shift"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecidePress(e, c.button, c.mask, "td").target, c.expected);
  EXPECT_EQ(DecidePress(e, kLeftButton, 0, "td").caption, "");
}

TEST(CommandChoice, AButtonWithoutCommandDoesNothing) {
  EXPECT_TRUE(DecidePress(MenuEntry{}, kLeftButton, kShift, "td").status.empty());
}

TEST(CommandChoice, WebAddressesAndThePlaceholder) {
  struct Case {
    const char* command;
    bool web;
    const char* target;
    const char* status;
  } cases[] = {
      {"HTTPS://www.lumora.example/", true, "HTTPS://www.lumora.example/",
       "Suoritetaan komento: HTTPS://www.lumora.example/"},
      {"http://x/%valikko.oma%", true, "http://x/%valikko.oma%",
       "Suoritetaan komento: http://x/%valikko.oma%"},
      {"cmd /c start https://x", false, "cmd /c start https://x",
       "Suoritetaan komento: cmd /c start https://x"},
      {"notepad %valikko.oma%", false, "notepad C:\\Ohjelmat\\valikko.oma",
       "Suoritetaan komento: notepad %valikko.oma%"},
      {"notepad %VALIKKO.OMA%", false, "notepad %VALIKKO.OMA%",
       "Suoritetaan komento: notepad %VALIKKO.OMA%"},
  };
  for (const Case& c : cases) {
    MenuEntry e;
    e.command = c.command;
    PressAction a = DecidePress(e, kLeftButton, 0, "C:\\Ohjelmat\\valikko.oma");
    EXPECT_EQ(a.webAddress, c.web) << c.command;
    EXPECT_EQ(a.target, c.target);
    EXPECT_EQ(a.status, c.status);
  }
}

TEST(CommandChoice, HintShowsThePlainCommandInParentheses) {
  EXPECT_EQ(HintText("cmd /k cd c:\\"), "(cmd /k cd c:\\)");
  EXPECT_EQ(NotepadCommand("C:\\Program Files\\L\\valikko.oma"),
            "notepad C:\\Program Files\\L\\valikko.oma");
}

}  // namespace
}  // namespace lv
