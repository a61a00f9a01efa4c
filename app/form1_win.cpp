#include "form1_win.h"

#include <commctrl.h>

#include <algorithm>

#include "check_report.h"
#include "clipboard_win.h"
#include "command_choice.h"
#include "default_menu.h"
#include "dpi_win.h"
#include "explorer_tricks.h"
#include "file_ops_win.h"
#include "file_win.h"
#include "launch_win.h"
#include "menu_bar.h"
#include "menu_bar_win.h"
#include "menu_check.h"
#include "message_win.h"
#include "program_search_win.h"
#include "simplified_menu.h"
#include "text_win.h"
#include "texts.h"
#include "window_geometry.h"

namespace lv {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW;

HWND CreateChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                 HINSTANCE instance, const RECT& r) {
  return CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

Form1::~Form1() {
  if (font_) DeleteObject(font_);
}

bool Form1::Create(HINSTANCE instance, int showCommand) {
  instance_ = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kForm1Class;
  if (!RegisterClassExW(&wc)) return false;

  // The built window: its client area is 6150 x 4470 twips at the system's DPI until
  // start-up knows where it goes and sizes it at the DPI of that monitor.
  UINT dpi = SystemDpi();
  RECT r{0, 0, TwipsToPixels(kClientDesignWidth, dpi), TwipsToPixels(kClientDesignHeight, dpi)};
  AdjustWindowRectForDpi(&r, kFormStyle, true, 0, dpi);
  HWND hwnd = CreateWindowExW(0, kForm1Class, Utf8ToWide(kFormCaption).c_str(), kFormStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                              nullptr, BuildMenuBar(), instance, this);
  if (!hwnd) return false;
  Load();
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);
  AddPendingTooltips();
  return true;
}

LRESULT CALLBACK Form1::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  Form1* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // Nothing may unwind through Windows; a failed step is skipped.
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (HandleAltKey(msg, wp, lp)) return 0;
      break;
    // Alt let go of in another program never reaches this one.
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) altPressed_ = false;
      break;
    case WM_ACTIVATEAPP:
      if (!wp) altPressed_ = false;
      break;
    case WM_LBUTTONDBLCLK: ShowPlacementReport(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Form1::OnCreate() {
  dpi_ = WindowDpi(hwnd_);
  startup_.buttons.assign(1, kButton0Design);
  HWND button0 =
      CreateChild(hwnd_, L"BUTTON", Utf8ToWide(kButtonDesignCaption), WS_TABSTOP | BS_PUSHBUTTON,
                  kButtonIdBase, instance_, ToPixels(kButton0Design));
  buttonWindows_.push_back(button0);
  SetWindowSubclass(button0, ButtonProc, 0, reinterpret_cast<DWORD_PTR>(this));
  const std::wstring labelText = Utf8ToWide(kLabelDesignText);
  const DWORD labelStyle = SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
  hint_ = CreateChild(hwnd_, L"STATIC", labelText, labelStyle, kHintId, instance_,
                      ToPixels(kHintDesign));
  status_ = CreateChild(hwnd_, L"STATIC", labelText, labelStyle, kStatusId, instance_,
                        ToPixels(kStatusDesign));
  SetFont();
}

void Form1::Load() {
  td_ = fe_omatd(ProgramFolder());
  if (!fe_levylla(td_)) luoOmatd();
  std::string bytes;
  ReadMenuFile(bytes, false);
#ifdef LV_NO_MENU_CHECK
  // Only for the benchmark that measures what the check costs at start-up.
  startup_ = ComputeStartupFromBytes(bytes);
  ApplyStartup();
#else
  // The check reads the file through the same start-up, and tells the author where
  // to look when a line does not do what it seems to.
  MenuCheck check = CheckMenuFile(bytes, FindProgram);
  startup_ = std::move(check.startup);
  ApplyStartup();
  if (std::string status = CheckStatusText(check.ProblemCount()); !status.empty())
    SetWindowTextW(status_, Utf8ToWide(status).c_str());
#endif
}

// Reads the menu file as it is now, edits since the start included, and reports what
// the checker finds in it.
void Form1::ShowCheckReport() {
  std::string bytes;
  if (!ReadMenuFile(bytes, true)) return;
  MenuCheck check = CheckMenuFile(bytes, FindProgram);
  ShowMessage(hwnd_, CheckReportText(td_, check.findings), kCheckReportTitle,
              MB_OK | (check.ProblemCount() ? MB_ICONWARNING : MB_ICONINFORMATION));
}

// False, having told the user why, when the menu file cannot be read. A file that is
// not there is told of only when `reportMissing`.
bool Form1::ReadMenuFile(std::string& bytes, bool reportMissing) {
  Win32Result read = ReadWholeFile(td_, bytes);
  if (!read.ok && (reportMissing || read.error != ERROR_FILE_NOT_FOUND))
    ReportFailure(hwnd_, "Valikkotiedostoa ei voitu lukea:\n" + td_, read.error);
  return read.ok;
}

// Writes the default menu file and opens it in Notepad for the user to see.
void Form1::luoOmatd() {
  std::string bytes = BuildDefaultMenu([](const std::string& path) { return fe_levylla(path); });
  // A hidden or system file of that name does not count as a menu file, but it is
  // still the user's: it is read, never overwritten.
  Win32Result written = WriteNewFile(td_, bytes);
  if (!written.ok && written.error == ERROR_FILE_EXISTS) return;
  if (!written.ok) {
    ReportFailure(hwnd_, "Oletusvalikkoa ei voitu kirjoittaa tiedostoon:\n" + td_, written.error);
    return;
  }
  // The file is written: start-up goes on with it whether or not Notepad shows it.
  StepResult notepad = StartNotepad();
  if (!notepad.ok) ReportFailure(hwnd_, notepad.what, notepad.error);
}

void Form1::ApplyStartup() {
  SetWindowTextW(hwnd_, Utf8ToWide(startup_.caption).c_str());
  if (!startup_.entries.empty())
    SetWindowTextW(buttonWindows_[0], Utf8ToWide(startup_.entries[0].caption).c_str());
  SizeWindowToContents();
  // Every control is placed once, where the resize rule puts it in the sized window.
  UpdateButtonWidths();
  PlaceControl(buttonWindows_[0], startup_.buttons[0]);
  PlaceControl(hint_, startup_.hint);
  PlaceControl(status_, startup_.status);
  EnsureButtonControls();
  loading_ = false;
}

void Form1::SizeWindowToContents() {
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  const PixelPoint place = StartupPlace(startup_, {outer.left, outer.top}, {SystemDpi(), dpi_});
  // Moved first: the monitor the window appears on gives the one DPI it is sized and
  // laid out at.
  SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  UseWindowDpi();
  RECT frame{};
  AdjustWindowRectForDpi(&frame, kFormStyle, true, 0, dpi_);
  const int width = StartupWidth(startup_, frame.right - frame.left, {SystemDpi(), dpi_});
  GetWindowRect(hwnd_, &outer);
  // Set the width first: the menu bar may wrap in a narrow window, and the frame's
  // real height is only known afterwards.
  SetWindowPos(hwnd_, nullptr, place.x, place.y, width, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(hwnd_, &outer);
  RECT client;
  GetClientRect(hwnd_, &client);
  int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
  // Today's caption bar, menu bar and borders are taller than the menu file's rule
  // allows for: the window grows until the status line shows whole.
  int needed = TwipsToPixels(startup_.status.bottom() + kButtonGap, dpi_) + frameHeight;
  int height = std::max(TwipsToPixels(startup_.windowHeight, dpi_), needed);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  KeepOnAMonitor();
}

// A menu file shared between computers may place the window beyond every screen of
// this one: then it moves into the nearest monitor's work area. A window partly on
// a screen stays where the file puts it.
void Form1::KeepOnAMonitor() {
  RECT r;
  GetWindowRect(hwnd_, &r);
  if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
  const RECT& work = info.rcWork;
  int left = std::max<int>(work.left, std::min<int>(r.left, work.right - (r.right - r.left)));
  int top = std::max<int>(work.top, std::min<int>(r.top, work.bottom - (r.bottom - r.top)));
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Form1::EnsureButtonControls() {
  // Windows allows a process 10 000 window objects; buttons below the bottom of the
  // largest possible window could never be seen, so they are made when they can be.
  const int limit = std::max(SystemMetricForDpi(SM_CYMAXTRACK, dpi_),
                             SystemMetricForDpi(SM_CYVIRTUALSCREEN, dpi_));
  const DWORD style = WS_TABSTOP | BS_PUSHBUTTON;
  for (size_t i = buttonWindows_.size(); i < startup_.buttons.size(); ++i) {
    RECT r = ToPixels(startup_.buttons[i]);
    if (r.top >= limit) break;
    const MenuEntry& entry = startup_.entries[i];
    HWND button = CreateChild(hwnd_, L"BUTTON", Utf8ToWide(entry.caption), style,
                              kButtonIdBase + static_cast<int>(i), instance_, r);
    if (!button) break;
    SetWindowSubclass(button, ButtonProc, i, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    buttonWindows_.push_back(button);
  }
}

// Hover tips are added once the window shows: they are not needed to see it.
void Form1::AddPendingTooltips() {
  if (!tooltip_)
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  if (!tooltip_) return;
  for (; tipsAdded_ < buttonWindows_.size() && tipsAdded_ < startup_.entries.size(); ++tipsAdded_) {
    std::wstring text = Utf8ToWide(startup_.entries[tipsAdded_].tooltip);
    if (text.empty()) continue;
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(buttonWindows_[tipsAdded_]);
    info.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Form1::OnSize() {
  if (loading_) return;  // start-up places everything once, when the size is known
  ApplyResizeRule();
  EnsureButtonControls();
  AddPendingTooltips();
}

void Form1::ApplyResizeRule() {
  if (UpdateButtonWidths()) Layout();
}

bool Form1::UpdateButtonWidths() {
  RECT outer;
  if (!GetWindowRect(hwnd_, &outer)) return false;
  const float windowWidth = PixelsToTwips(outer.right - outer.left, dpi_);
  std::optional<float> width = ResizedButtonWidth(windowWidth, startup_.buttons[0].left);
  if (!width) return false;  // a negative width: the buttons keep theirs
  for (TwipsRect& rect : startup_.buttons) rect.width = *width;
  return true;
}

void Form1::Layout() {
  HDWP batch = BeginDeferWindowPos(static_cast<int>(buttonWindows_.size()));
  for (size_t i = 0; i < buttonWindows_.size(); ++i) {
    RECT r = ToPixels(startup_.buttons[i]);
    if (batch)
      batch = DeferWindowPos(batch, buttonWindows_[i], nullptr, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    else
      PlaceControl(buttonWindows_[i], startup_.buttons[i]);
  }
  if (batch) EndDeferWindowPos(batch);
  PlaceControl(hint_, startup_.hint);
  PlaceControl(status_, startup_.status);
}

void Form1::OnDpiChanged(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  SetFont();
  SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (loading_) return;  // start-up goes on at the new DPI
  ApplyResizeRule();
  EnsureButtonControls();
  AddPendingTooltips();
}

// A window is not rescaled when it is created or moved while hidden: the DPI it is on
// now is the one it is laid out at.
void Form1::UseWindowDpi() {
  const UINT dpi = WindowDpi(hwnd_);
  if (dpi == dpi_) return;
  dpi_ = dpi;
  SetFont();
}

void Form1::SetFont() {
  HFONT old = font_;
  font_ = CreateMessageFont(dpi_);
  for (HWND w : buttonWindows_) SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SendMessageW(hint_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (old) DeleteObject(old);
}

RECT Form1::ToPixels(const TwipsRect& t) const {
  int left = TwipsToPixels(t.left, dpi_);
  int top = TwipsToPixels(t.top, dpi_);
  return RECT{left, top, left + TwipsToPixels(t.width, dpi_), top + TwipsToPixels(t.height, dpi_)};
}

void Form1::PlaceControl(HWND control, const TwipsRect& rect) const {
  RECT r = ToPixels(rect);
  SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::OnCommand(int id, int notification) {
  switch (id) {
    case kHintId:
    case kStatusId:
      // A double-click comes as a click and then STN_DBLCLK: the click alone opens Notepad.
      if (notification == STN_CLICKED) OpenMenuFileInNotepad();
      break;
    case mnuRestart:
    case mnuAvaaOmat: {
      StepResult result = id == mnuRestart ? kaynnistauudelleen() : AvaaOmat();
      if (!result.ok) ReportFailure(hwnd_, result.what, result.error);
      break;
    }
    case mnuLopeta: DestroyWindow(hwnd_); break;
    case mnlisaaniksit: lisaaniksit(); break;
    case mnuLeikePpelkistetty: CopySimplifiedMenu(); break;
    case mnuTietoja: ShowAbout(); break;
    case mnuTukisivuNetissa: se_avaanettisivu(kSupportPageUrl); break;
    case mnuTarkista: ShowCheckReport(); break;
  }
}

LRESULT CALLBACK Form1::ButtonProc(HWND button, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR index,
                                   DWORD_PTR self) noexcept {
  auto* form = reinterpret_cast<Form1*>(self);
  try {
    switch (msg) {
      // The command runs when the mouse button goes down; release and click do nothing.
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: form->OnButtonPress(index, kLeftButton, wp); break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK: form->OnButtonPress(index, kRightButton, wp); break;
      case WM_MBUTTONDOWN:
      case WM_MBUTTONDBLCLK: form->OnButtonPress(index, kMiddleButton, wp); break;
      case WM_MOUSEMOVE: form->OnButtonHover(index); break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        if (form->HandleAltKey(msg, wp, lp)) return 0;
        break;
      case WM_NCDESTROY: RemoveWindowSubclass(button, ButtonProc, index); break;
    }
  } catch (...) {
    // A failed step is skipped; nothing unwinds into Windows.
  }
  return DefSubclassProc(button, msg, wp, lp);
}

void Form1::OnButtonPress(size_t index, int mouseButton, WPARAM keys) {
  // Mouse messages carry Shift and Ctrl; Alt is read from the keyboard state.
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (!alt) altPressed_ = false;
  if (index >= startup_.entries.size()) return;  // button 0 without an entry
  int mask =
      ((keys & MK_SHIFT) ? kShift : 0) | ((keys & MK_CONTROL) ? kCtrl : 0) | (alt ? kAlt : 0);
  PressAction action = DecidePress(startup_.entries[index], mouseButton, mask, td_);
  if (action.status.empty()) return;
  altPressed_ = alt;
  SetWindowTextW(status_, Utf8ToWide(action.status).c_str());
  if (!action.caption.empty() && index < buttonWindows_.size())
    SetWindowTextW(buttonWindows_[index], Utf8ToWide(action.caption).c_str());
  // A start that fails shows nothing: the status line already tells what was tried.
  if (action.webAddress)
    se_avaanettisivu(action.target);
  else
    StartCommandLine(action.target);
}

void Form1::OnButtonHover(size_t index) {
  if (index >= startup_.entries.size()) return;
  SetWindowTextW(hint_, Utf8ToWide(HintText(startup_.entries[index].command)).c_str());
}

// Releasing Alt after an Alt+press would otherwise put the keyboard focus in the menu bar:
// that release is swallowed (true). A new press of Alt means it was let go of unseen,
// so its release is the user's own.
bool Form1::HandleAltKey(UINT msg, WPARAM wp, LPARAM lp) {
  if (wp != VK_MENU) return false;
  if (msg != WM_SYSKEYUP) {
    const bool wasDown = (lp & (1 << 30)) != 0;
    if (!wasDown) altPressed_ = false;
    return false;
  }
  if (!altPressed_) return false;
  altPressed_ = false;
  return true;
}

void Form1::OpenMenuFileInNotepad() {
  StartCommandLine(NotepadCommand(td_));
}

// Starts a new copy of the program file and ends this one.
Form1::StepResult Form1::kaynnistauudelleen() {
  std::string path = ProgramFolder();
  if (!path.ends_with('\\')) path += '\\';
  path += ProgramBaseName() + ".exe";
  // Quoted: unquoted, "C:\Program Files\..." would let Windows start "C:\Program.exe".
  Win32Result started = StartCommandLine("\"" + path + "\"");
  if (!started.ok)
    return {false, "Lumora Valikkoa ei voitu käynnistää uudelleen:\n" + path, started.error};
  DestroyWindow(hwnd_);
  return {};
}

Form1::StepResult Form1::StartNotepad() {
  std::string command = NotepadCommand(td_);
  Win32Result started = StartCommandLine(command);
  if (!started.ok) return {false, "Muistiota ei voitu käynnistää:\n" + command, started.error};
  return {};
}

Form1::StepResult Form1::AvaaOmat() {
  StepResult notepad = StartNotepad();
  return notepad.ok ? kysyuudelleenkaynnistys() : notepad;
}

Form1::StepResult Form1::kysyuudelleenkaynnistys() {
  int answer =
      ShowMessage(hwnd_, kRestartPromptText, kRestartPromptTitle, MB_YESNO | MB_DEFBUTTON1);
  return answer == IDYES ? kaynnistauudelleen() : StepResult{};
}

// Appends the example rows; the menu file is replaced whole or not at all.
void Form1::lisaaniksit() {
  Win32FileSystemOps files;
  const std::string tempPath = TempMenuPath(ProgramFolder());
  AppendResult appended = ::lv::lisaaniksit(files, td_, tempPath);
  if (!appended.ok) {
    ShowMessage(hwnd_, AppendFailureText(appended, td_, tempPath), kAppendFailureTitle,
                MB_OK | MB_ICONERROR);
    return;
  }
  StepResult result = AvaaOmat();
  if (!result.ok) ReportFailure(hwnd_, result.what, result.error);
}

// One handler covers the clipboard, Notepad and the restart.
void Form1::CopySimplifiedMenu() {
  DWORD error = ERROR_SUCCESS;
  Win32Result copied = SetClipboardText(hwnd_, SimplifiedMenuText());
  if (copied.ok) {
    ShowMessage(hwnd_, kSimplifiedInfoText, kSimplifiedInfoTitle, MB_OK | MB_ICONINFORMATION);
    StepResult result = AvaaOmat();
    if (result.ok) return;
    error = result.error;
  } else {
    error = copied.error;
  }
  ShowMessage(hwnd_, kSimplifiedErrorPrefix + SystemErrorText(error), kSimplifiedErrorTitle, MB_OK);
}

// Reports the window's place and button 0's size as lines for the menu file.
void Form1::ShowPlacementReport() {
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  std::string text =
      PlacementReportAt({outer.left, outer.top}, startup_.buttons[0], {SystemDpi(), dpi_});
  int answer =
      ShowMessage(hwnd_, text, PlacementTitle(td_), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
  if (answer != IDYES) return;
  Win32Result copied = SetClipboardText(hwnd_, text);
  StepResult result =
      copied.ok ? StartNotepad()
                : StepResult{false, "Arvoja ei voitu kopioida leikepöydälle.", copied.error};
  if (!result.ok) ReportFailure(hwnd_, result.what, result.error);
}

void Form1::ShowAbout() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  ShowMessage(hwnd_, AboutText(now.wYear), AboutTitle(), MB_OK);
}

}  // namespace lv
