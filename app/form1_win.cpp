#include "form1_win.h"

#include <commctrl.h>

#include <algorithm>

#include "default_menu.h"
#include "dpi_win.h"
#include "file_win.h"
#include "launch_win.h"
#include "menu_bar.h"
#include "menu_text.h"
#include "message_win.h"
#include "text_win.h"

namespace lv {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW;

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU popup = nullptr;
  std::wstring popupCaption;
  auto flush = [&] {
    if (popup) AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), popupCaption.c_str());
  };
  for (const MenuItemText& item : kMenuBar) {
    if (item.id == 0) {
      flush();
      popup = CreatePopupMenu();
      popupCaption = Utf8ToWide(item.caption);
    } else {
      AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id),
                  Utf8ToWide(item.caption).c_str());
    }
  }
  flush();
  return bar;
}

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

  // The built window: its client area is 6150 x 4470 twips at the system's DPI.
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
    case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Form1::OnCreate() {
  dpi_ = WindowDpi(hwnd_);
  startup_.buttons.assign(1, kButton0Design);
  HWND button0 = CreateChild(hwnd_, L"BUTTON", Utf8ToWide(kButtonDesignCaption),
                             WS_TABSTOP | BS_PUSHBUTTON, kButtonIdBase, instance_,
                             ToPixels(kButton0Design));
  buttonWindows_.push_back(button0);
  const std::wstring labelText = Utf8ToWide(kLabelDesignText);
  const DWORD labelStyle = SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
  hint_ = CreateChild(hwnd_, L"STATIC", labelText, labelStyle, kHintId, instance_,
                      ToPixels(kHintDesign));
  status_ = CreateChild(hwnd_, L"STATIC", labelText, labelStyle, kStatusId, instance_,
                        ToPixels(kStatusDesign));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  SetFont();
}

void Form1::Load() {
  td_ = fe_omatd(ProgramFolder());
  if (!fe_levylla(td_)) luoOmatd();
  std::string bytes;
  Win32Result read = ReadWholeFile(td_, bytes);
  if (!read.ok && read.error != ERROR_FILE_NOT_FOUND)
    ReportFailure(hwnd_, "Valikkotiedostoa ei voitu lukea:\n" + td_, read.error);
  MenuText text;
  DecodeMenuFile(bytes, text);
  startup_ = ComputeStartup(text.lines);
  ApplyStartup();
}

// Writes the default menu file and opens it in Notepad for the user to see.
void Form1::luoOmatd() {
  std::string bytes = BuildDefaultMenu([](const std::string& path) { return fe_levylla(path); });
  Win32Result written = WriteWholeFile(td_, bytes);
  if (!written.ok) {
    ReportFailure(hwnd_, "Oletusvalikkoa ei voitu kirjoittaa tiedostoon:\n" + td_, written.error);
    return;
  }
  StartCommandLine("notepad " + td_);
}

void Form1::ApplyStartup() {
  if (!startup_.entries.empty()) {
    SetWindowTextW(buttonWindows_[0], Utf8ToWide(startup_.entries[0].caption).c_str());
    AddTooltip(buttonWindows_[0], startup_.entries[0].tooltip);
  }
  PlaceControl(buttonWindows_[0], startup_.buttons[0]);
  PlaceControl(hint_, startup_.hint);
  PlaceControl(status_, startup_.status);
  SetWindowTextW(hwnd_, Utf8ToWide(startup_.caption).c_str());
  SizeWindowToContents();
  EnsureButtonControls();
  ApplyResizeRule();
}

void Form1::SizeWindowToContents() {
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  int left = startup_.windowLeft ? TwipsToPixels(*startup_.windowLeft, dpi_) : outer.left;
  int top = startup_.windowTop ? TwipsToPixels(*startup_.windowTop, dpi_) : outer.top;
  int width = startup_.windowWidth ? TwipsToPixels(*startup_.windowWidth, dpi_)
                                   : outer.right - outer.left;
  // Set the width first: the menu bar may wrap in a narrow window, and the frame's
  // real height is only known afterwards.
  SetWindowPos(hwnd_, nullptr, left, top, width, outer.bottom - outer.top,
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
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    AddTooltip(button, entry.tooltip);
    buttonWindows_.push_back(button);
  }
}

void Form1::AddTooltip(HWND button, const std::string& text) {
  if (!tooltip_ || text.empty()) return;
  std::wstring wide = Utf8ToWide(text);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(button);
  info.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Form1::OnSize() {
  if (startup_.buttons.empty()) return;  // still being created
  EnsureButtonControls();
  ApplyResizeRule();
}

void Form1::ApplyResizeRule() {
  RECT outer;
  if (!GetWindowRect(hwnd_, &outer)) return;
  const float windowWidth = PixelsToTwips(outer.right - outer.left, dpi_);
  std::optional<float> width = ResizedButtonWidth(windowWidth, startup_.buttons[0].left);
  if (!width) return;  // a negative width: the buttons keep theirs
  for (TwipsRect& rect : startup_.buttons) rect.width = *width;
  Layout();
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
  EnsureButtonControls();
  ApplyResizeRule();
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

void Form1::OnCommand(int id) {
  switch (id) {
    case mnuRestart: kaynnistauudelleen(); break;
    case mnuLopeta: DestroyWindow(hwnd_); break;
    case mnuAvaaOmat:
    case mnlisaaniksit:
    case mnuLeikePpelkistetty:
    case mnuTietoja:
    case mnuTukisivuNetissa:
      ShowMessage(hwnd_, "Tämä toiminto ei ole vielä käytettävissä.", "Lumora Valikko",
                  MB_OK | MB_ICONINFORMATION);
      break;
  }
}

// Starts a new copy of the program file and ends this one.
void Form1::kaynnistauudelleen() {
  std::string path = ProgramFolder();
  if (!path.ends_with('\\')) path += '\\';
  path += ProgramBaseName() + ".exe";
  // Quoted: unquoted, "C:\Program Files\..." would let Windows start "C:\Program.exe".
  Win32Result started = StartCommandLine("\"" + path + "\"");
  if (!started.ok) {
    ReportFailure(hwnd_, "Lumora Valikkoa ei voitu käynnistää uudelleen:\n" + path, started.error);
    return;
  }
  DestroyWindow(hwnd_);
}

}  // namespace lv
