#pragma once
// The program's one window: the column of menu buttons, the hint and status lines
// and the menu bar.
#include <windows.h>

#include <string>
#include <vector>

#include "startup.h"

namespace lv {

inline constexpr wchar_t kForm1Class[] = L"LumoraValikkoForm1";
inline constexpr int kButtonIdBase = 1000;  // cmdAja member i has control id 1000 + i
inline constexpr int kHintId = 900;         // lblVinkki
inline constexpr int kStatusId = 901;       // lblKomento

class Form1 {
 public:
  Form1() = default;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;
  ~Form1();

  // Creates the window with its design contents, runs start-up and shows it.
  bool Create(HINSTANCE instance, int showCommand);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  void OnCreate();
  void OnSize();
  void OnDpiChanged(UINT dpi, const RECT* suggested);
  void OnCommand(int id, int notification);

  static LRESULT CALLBACK ButtonProc(HWND button, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR index,
                                     DWORD_PTR self) noexcept;
  // A mouse button went down on cmdAja member `index`: run its command.
  void OnButtonPress(size_t index, int mouseButton, WPARAM keys);
  void OnButtonHover(size_t index);
  bool HandleAltKey(UINT msg, WPARAM wp, LPARAM lp);
  void OpenMenuFileInNotepad();
  void KeepOnAMonitor();

  // The load handler: reads the menu file (writing the default one when there is none)
  // and applies it to the window.
  void Load();
  void ApplyStartup();
  void SizeWindowToContents();
  // The resize rule: every button as wide as the window allows.
  void ApplyResizeRule();
  // The rule on the twips only; false when it leaves the widths as they were.
  bool UpdateButtonWidths();
  // Creates the button controls that the largest possible window could show.
  void EnsureButtonControls();
  void Layout();
  void PlaceControl(HWND control, const TwipsRect& rect) const;
  RECT ToPixels(const TwipsRect& rect) const;
  void UseWindowDpi();
  void SetFont();
  void AddPendingTooltips();

  void luoOmatd();

  // A step that failed: what could not be done, in Finnish, and Windows' error code.
  struct StepResult {
    bool ok = true;
    std::string what;
    DWORD error = ERROR_SUCCESS;
  };
  StepResult kaynnistauudelleen();
  // Notepad on the menu file, then the restart prompt.
  StepResult AvaaOmat();
  StepResult kysyuudelleenkaynnistys();
  StepResult StartNotepad();
  void lisaaniksit();
  void CopySimplifiedMenu();
  void ShowPlacementReport();
  void ShowAbout();
  void ShowCheckReport();
  bool ReadMenuFile(std::string& bytes, bool reportMissing);

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT font_ = nullptr;
  HWND hint_ = nullptr;
  HWND status_ = nullptr;
  HWND tooltip_ = nullptr;
  std::vector<HWND> buttonWindows_;  // created controls; a prefix of startup_.buttons
  StartupResult startup_;
  std::string td_;
  bool loading_ = true;      // start-up has not finished placing the controls
  size_t tipsAdded_ = 0;     // buttons [0, tipsAdded_) have their hover tips
  bool altPressed_ = false;  // the last press had Alt held: swallow Alt's release
};

}  // namespace lv
