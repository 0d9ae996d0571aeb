#include "window/win32/main_window.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include "platform/process.h"
#include "window/credits.h"
#include "window/win32/dpi.h"
#include "window/win32/file_drop.h"
#include "window/win32/fonts.h"
#include "window/win32/readme_window.h"
#include "window/win32/splash.h"

namespace win32 {

using window::Ctl;
using window::Kind;

namespace {

constexpr wchar_t kClassName[] = L"QuimbelMainWindow";
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT_PTR kBiosTipTool = 1;
constexpr UINT_PTR kFinishStartTimer = 2;
constexpr int kIconResource = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// WS_EX_ACCEPTFILES: files dropped from Explorer arrive as WM_DROPFILES.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

// Frames, the tab control and the picture box hold controls, but as Win32
// controls they would keep their children's notifications to themselves.
// This hands them to the main window, which owns every handler.
LRESULT CALLBACK ForwardToMain(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                               DWORD_PTR mainWindow) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM:
      return ::SendMessageW(reinterpret_cast<HWND>(mainWindow), msg, wp, lp);
    case WM_PAINT: {
      // A tab control leaves its page unpainted (Wine's) or paints it the
      // visual style's white; the page is the button-face colour, like the
      // frames on it. The control draws its tabs and edge over that.
      wchar_t cls[32];
      ::GetClassNameW(hwnd, cls, 32);
      if (lstrcmpiW(cls, WC_TABCONTROLW) != 0) break;
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      ::FillRect(dc, &paint.rcPaint, ::GetSysColorBrush(COLOR_BTNFACE));
      ::DefSubclassProc(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND: {
      // A group box paints only its border; its inside is the frame's colour.
      wchar_t cls[32];
      ::GetClassNameW(hwnd, cls, 32);
      if (lstrcmpiW(cls, WC_BUTTONW) != 0) break;
      RECT rc;
      ::GetClientRect(hwnd, &rc);
      ::FillRect(reinterpret_cast<HDC>(wp), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      break;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

struct ClassAndStyle {
  const wchar_t* cls;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(const window::ControlSpec& entry) {
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (entry.kind) {
    case Kind::kTabControl:
      return {WC_TABCONTROLW,
              child | WS_CLIPCHILDREN | WS_TABSTOP | TCS_FIXEDWIDTH | TCS_FOCUSONBUTTONDOWN,
              WS_EX_CONTROLPARENT};
    case Kind::kFrame:
      return {WC_BUTTONW, child | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case Kind::kPicture:
      return {WC_STATICW, child | WS_CLIPCHILDREN | SS_OWNERDRAW | SS_NOTIFY, WS_EX_CONTROLPARENT};
    case Kind::kLabel:
      return {WC_STATICW,
              child | SS_LEFT | (entry.id == Ctl::Label2 ? static_cast<DWORD>(SS_NOTIFY) : 0u), 0};
    case Kind::kOption:
      return {WC_BUTTONW,
              child | WS_TABSTOP | BS_AUTORADIOBUTTON |
                  (entry.id == Ctl::Option1 ? static_cast<DWORD>(WS_GROUP) : 0u),
              0};
    case Kind::kCommand:
      return {WC_BUTTONW, child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case Kind::kCheck:
      return {WC_BUTTONW, child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::kTextBox:
      return {WC_EDITW, child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, child, 0};
}

}  // namespace

MainWindow::MainWindow(HWND owner, platform::FileSystem& files)
    : owner_(owner), files_(files), form_(*this, files) {}

MainWindow::~MainWindow() {
  if (font_) ::DeleteObject(font_);
  if (tabFont_) ::DeleteObject(tabFont_);
  if (splash_) ::DeleteObject(splash_);
  if (scaledSplash_) ::DeleteObject(scaledSplash_);
}

HWND MainWindow::Control(Ctl id) const {
  if (id == Ctl::kForm) return hwnd_;
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

namespace {
// The tab page a control belongs to, through its containers; kNoPage for
// the tab control itself.
int PageOf(const window::ControlSpec& entry) {
  if (entry.page != window::kNoPage || entry.parent == Ctl::kForm) return entry.page;
  return PageOf(window::LayoutOf(entry.parent));
}
}  // namespace

void MainWindow::Open() {
  RegisterWindowClass(kClassName, &BaseWindow::Proc, kIconResource);

  // Created at its final size, centred on the primary screen, so that
  // nothing is laid out twice; another monitor's DPI arrives as WM_DPICHANGED.
  dpi_ = SystemDpi();
  const SIZE size = OuterSize(Px(window::kClientWidth, dpi_), Px(window::kClientHeight, dpi_),
                              kStyle, kExStyle, dpi_);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  CreateWindowOrThrow(kExStyle, kClassName, Widen(window::kMainCaption).c_str(), kStyle,
                      (screenW - size.cx) / 2, (screenH - size.cy) / 2, size.cx, size.cy, owner_,
                      nullptr, this);
  WindowOpened();
  splash_ = LoadSplash(&splashSize_);
  ScaleSplashToDpi();
  font_ = CreateDialogFont(dpi_);
  tabFont_ = CreateTabFont(dpi_);
  CreateControls();
  if (WindowDpi(hwnd_) != dpi_) {
    dpi_ = WindowDpi(hwnd_);
    Layout(nullptr);
  } else {
    SetClientSize(hwnd_, Px(window::kClientWidth, dpi_), Px(window::kClientHeight, dpi_), dpi_);
  }
  ::SetTimer(hwnd_, kSplashTimer, window::kSplashTimerMs, nullptr);

  modQuimbel::Bind(form_, files_);
  form_.Form_Load();

  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::UpdateWindow(hwnd_);
  ::SetFocus(Control(Ctl::SSTab1));
  // What the first picture does not need comes once the window is idle.
  ::SetTimer(hwnd_, kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
}

// The part of the window that the first picture does not show, the text
// box's tooltip, comes as soon as the window is shown and idle.
void MainWindow::FinishStart() {
  tooltip_ = CreateWindowOrThrow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_);
  for (const auto& entry : window::kControls) {
    if (Control(entry.id)) EquipControl(entry);
  }
}

// OLE, for files dragged by programs that drag the OLE way (WM_DROPFILES,
// which Explorer and Wine's X11 drops send, needs none) and for the BIOS
// box's path completion. It costs about as much memory as the rest of the
// program, so it comes when it may be needed: when the window loses
// activation (a drag from another window starts with a click there) or the
// Options page first shows.
void MainWindow::EnsureOle() {
  if (oleReady_) return;
  oleReady_ = true;
  dropTarget_ = FileDropTarget::Register(
      hwnd_, [this](const std::vector<std::string>& paths) { form_.Form_FilesDropped(paths); });
  if (Control(Ctl::txtBios)) EquipControl(window::LayoutOf(Ctl::txtBios));
}

// What a control has beyond its window, once both it and the tooltip (or
// OLE) exist: its tooltip, and for the BIOS box path completion as in the
// Run box.
void MainWindow::EquipControl(const window::ControlSpec& entry) {
  if (tooltip_ && !entry.tooltip.empty()) {
    std::wstring tip = Widen(entry.tooltip);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(Control(entry.id));
    info.lpszText = tip.data();
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (oleReady_ && entry.kind == Kind::kTextBox) {
    static const auto complete =
        SystemFunctionAs<HRESULT(WINAPI*)(HWND, DWORD)>(L"shlwapi.dll", "SHAutoComplete");
    if (complete) complete(Control(entry.id), SHACF_FILESYSTEM);
  }
}

// The tab control and the splash over it. A page's own controls are made
// when the page first shows, so the first picture costs only what it shows.
void MainWindow::CreateControls() {
  for (Ctl id : {Ctl::SSTab1, Ctl::Picture1, Ctl::Label2}) MakeControl(window::LayoutOf(id));
  HWND tab = Control(Ctl::SSTab1);
  for (int page = 0; page < window::kPageCount; ++page) {
    std::wstring caption = Widen(window::kPageCaptions[page]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    TabCtrl_InsertItem(tab, page, &item);
  }
  UnthemeTabs();
  SizeTabs();
  ShowCurrentPage();
}

// A visual style would paint the page white around the grey frames, and
// frames are not drawn to sit on it: under a style the tab control draws as
// tab controls of that era did, in the button-face colour. (Without one,
// there is nothing to undo, and the call would cost start-up time.)
void MainWindow::UnthemeTabs() {
  if (::IsThemeActive()) ::SetWindowTheme(Control(Ctl::SSTab1), L" ", L" ");
}

void MainWindow::MakeControl(const window::ControlSpec& entry) {
  ClassAndStyle cs = ClassFor(entry);
  // What the handlers set before the control existed, it shows from the
  // start, and no change notification comes of it.
  const auto text = texts_.find(entry.id);
  const std::wstring caption = Widen(text != texts_.end() ? text->second : entry.text);
  HWND control =
      CreateWindowOrThrow(cs.exStyle, cs.cls, caption.c_str(), cs.style, Px(entry.left, dpi_),
                          Px(entry.top, dpi_), Px(entry.width, dpi_), Px(entry.height, dpi_),
                          Control(entry.parent), reinterpret_cast<HMENU>(entry.id));
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry)), FALSE);
  // A text box without a length limit of its own keeps whatever is put in
  // it; the system's default would cut a path at 30,000 characters.
  if (entry.kind == Kind::kTextBox) ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  if (values_[entry.id] == 1) ::SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  if (const auto enabled = enabled_.find(entry.id); enabled != enabled_.end())
    ::EnableWindow(control, enabled->second ? TRUE : FALSE);
  controls_[entry.id] = control;
  shown_.emplace(entry.id, true);
  if (cs.exStyle & WS_EX_CONTROLPARENT)
    ::SetWindowSubclass(control, ForwardToMain, 1, reinterpret_cast<DWORD_PTR>(hwnd_));
  EquipControl(entry);
}

void MainWindow::MakePage(int page) {
  bool made = false;
  for (const auto& entry : window::kControls) {
    if (PageOf(entry) != page || Control(entry.id)) continue;
    MakeControl(entry);
    made = true;
  }
  if (!made) return;
  // The splash lies above the tab's pages; the label that names the BIOS
  // box lies beneath the box where the two overlap.
  ::SetWindowPos(Control(Ctl::Picture1), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (HWND label = Control(Ctl::Label1)) {
    ::SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EnsureOle();  // the BIOS box completes paths
  }
}

HFONT MainWindow::FontFor(const window::ControlSpec& entry) const {
  return entry.kind == Kind::kTabControl ? tabFont_ : font_;
}

// Three tabs share the strip's width in one row.
void MainWindow::SizeTabs() {
  const auto& tab = window::LayoutOf(Ctl::SSTab1);
  TabCtrl_SetItemSize(Control(Ctl::SSTab1), Px(tab.width, dpi_) / window::kPageCount - Px(60, dpi_),
                      Px(window::kTabStripHeight, dpi_));
}

// Everything again at the current DPI, with the fonts that fit the boxes
// now, at `origin` when given.
void MainWindow::Layout(const POINT* origin) {
  // The controls hold the old fonts until they have the new ones; only then
  // may the old ones go.
  HFONT oldFont = font_, oldTabFont = tabFont_;
  font_ = CreateDialogFont(dpi_);
  tabFont_ = CreateTabFont(dpi_);
  SetClientSize(hwnd_, Px(window::kClientWidth, dpi_), Px(window::kClientHeight, dpi_), dpi_,
                origin);
  for (const auto& entry : window::kControls) {
    HWND control = Control(entry.id);
    if (!control) continue;
    ::SetWindowPos(control, nullptr, Px(entry.left, dpi_), Px(entry.top, dpi_),
                   Px(entry.width, dpi_), Px(entry.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry)), TRUE);
  }
  ::DeleteObject(oldFont);
  ::DeleteObject(oldTabFont);
  SizeTabs();
  ScaleSplashToDpi();
  SetIconsForDpi(hwnd_, kIconResource, dpi_);
  // Nothing may keep what it drew at the old size, the splash's label
  // included.
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Each tab shows only its own controls; the splash belongs to "Run".
void MainWindow::ShowCurrentPage() {
  const int current = TabCtrl_GetCurSel(Control(Ctl::SSTab1));
  // While the splash covers the Run page, its controls need not exist.
  if (current != 0 || !shown_[Ctl::Picture1]) MakePage(current);
  HWND focus = ::GetFocus();
  for (const auto& entry : window::kControls) {
    HWND control = Control(entry.id);
    if (entry.page == window::kNoPage || !control) continue;
    const bool show = shown_[entry.id] && entry.page == current;
    ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
    if (!show && focus && (focus == control || ::IsChild(control, focus)))
      ::SetFocus(Control(Ctl::SSTab1));
  }
}

bool MainWindow::PreTranslate(const MSG& msg) {
  // The word about the BIOS path goes when the user clicks or types, as
  // balloon tips do.
  if (biosTipShown_ && (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                        msg.message == WM_NCLBUTTONDOWN || msg.message == WM_KEYDOWN))
    HideBiosTip();
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
  if (::GetKeyState(VK_CONTROL) < 0) {
    HWND tab = Control(Ctl::SSTab1);
    int page = TabCtrl_GetCurSel(tab);
    int step = ::GetKeyState(VK_SHIFT) < 0 ? window::kPageCount - 1 : 1;
    TabCtrl_SetCurSel(tab, (page + step) % window::kPageCount);
    ShowCurrentPage();
    return true;
  }
  MoveFocus(::GetKeyState(VK_SHIFT) < 0);
  return true;
}

void MainWindow::MoveFocus(bool backwards) {
  const auto order = window::FocusOrder();
  const int count = static_cast<int>(order.size());
  HWND focus = ::GetFocus();
  int at = -1;
  for (int i = 0; i < count; ++i) {
    if (Control(order[i]) == focus) at = i;
  }
  for (int step = 1; step <= count; ++step) {
    int i = ((at < 0 ? (backwards ? 0 : -1) : at) + (backwards ? -step : step) + 2 * count) % count;
    HWND next = Control(order[i]);
    if (::IsWindowVisible(next) && ::IsWindowEnabled(next)) {
      ::SetFocus(next);
      if (order[i] == Ctl::txtBios) ::SendMessageW(next, EM_SETSEL, 0, -1);
      return;
    }
  }
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp != 0) OnCommand(static_cast<Ctl>(LOWORD(wp)), HIWORD(wp));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->idFrom == static_cast<UINT_PTR>(Ctl::SSTab1) && header->code == TCN_SELCHANGE) {
        HideBiosTip();
        ShowCurrentPage();
      }
      return 0;
    }
    case WM_TIMER:
      if (wp == kSplashTimer) form_.Timer1_Timer();
      if (wp == kFinishStartTimer) {
        ::KillTimer(hwnd_, kFinishStartTimer);
        FinishStart();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
      DrawSplash(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_DPICHANGED: {
      POINT origin;
      dpi_ = DpiChange(wp, lp, &origin);
      Layout(&origin);
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      // The common controls keep colours of their own and learn of a change
      // only from their parent; everything else reads the colours as it paints.
      ::SendMessageW(Control(Ctl::SSTab1), WM_SYSCOLORCHANGE, wp, lp);
      if (tooltip_) ::SendMessageW(tooltip_, WM_SYSCOLORCHANGE, wp, lp);
      ::RedrawWindow(hwnd_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return 0;
    case WM_THEMECHANGED:
      UnthemeTabs();
      if (!controls_.empty()) Layout(nullptr);
      return 0;
    case WM_SETTINGCHANGE:
      // Fonts and metrics may have changed: the dialog font that fits the
      // boxes is chosen again.
      if (!controls_.empty()) Layout(nullptr);
      return 0;
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wp);
      const std::vector<std::string> paths = DroppedFiles(drop);
      FinishDrop(drop);
      form_.Form_FilesDropped(paths);
      return 0;
    }
    case WM_MOVE:
    case WM_ACTIVATE:
      if (msg == WM_MOVE || LOWORD(wp) == WA_INACTIVE) HideBiosTip();
      if (msg == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) EnsureOle();
      return ::DefWindowProcW(hwnd_, msg, wp, lp);

    case WM_DESTROY:
      if (dropTarget_) dropTarget_->Revoke();
      dropTarget_ = nullptr;
      ::KillTimer(hwnd_, kSplashTimer);
      WindowClosed();
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void MainWindow::OnCommand(Ctl id, UINT code) {
  const bool clicked = code == BN_CLICKED;  // STN_CLICKED for the picture and its label
  switch (id) {
    case Ctl::Check1:
      if (clicked) form_.Check1_Click();
      break;
    case Ctl::Check2:
      if (clicked) form_.Check2_Click();
      break;
    case Ctl::txtBios:
      if (code == EN_CHANGE) form_.txtBios_Change();
      break;
    case Ctl::cmdSaveSettings:
      if (clicked) form_.cmdSaveSettings_Click();
      break;
    case Ctl::Picture1:
      if (clicked) form_.Picture1_Click();
      break;
    case Ctl::Label2:
      if (clicked) form_.Label2_Click();
      break;
    case Ctl::Command1:
      if (clicked) form_.Command1_Click();
      break;
    case Ctl::cmdReadme:
      if (clicked) form_.cmdReadme_Click();
      break;
    case Ctl::Option1:
    case Ctl::Option2:
    case Ctl::Option3:
      // One group: selecting one option clears the others.
      if (clicked && Value(id) == 1) {
        for (Ctl other : {Ctl::Option1, Ctl::Option2, Ctl::Option3}) {
          if (other != id) SetValue(other, 0);
        }
      }
      break;
    default:
      break;
  }
}

LRESULT MainWindow::OnColor(HDC dc, HWND control) {
  const auto id = static_cast<Ctl>(::GetDlgCtrlID(control));
  bool splash = false;
  for (const auto& entry : window::kControls) {
    if (entry.id == id) splash = entry.paint == window::Paint::kWindow;
  }
  ::SetBkColor(dc, ::GetSysColor(splash ? COLOR_WINDOW : COLOR_BTNFACE));
  ::SetTextColor(dc, ::GetSysColor(splash ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(splash ? COLOR_WINDOW : COLOR_BTNFACE));
}

void MainWindow::DrawSplash(const DRAWITEMSTRUCT& item) {
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
  // The banner at its natural size at 96 DPI, scaled like everything else.
  HBITMAP banner = scaledSplash_ ? scaledSplash_ : splash_;
  if (!banner) return;
  const SIZE size = scaledSplash_ ? scaledSize_ : splashSize_;
  HDC memory = ::CreateCompatibleDC(item.hDC);
  HGDIOBJ old = ::SelectObject(memory, banner);
  ::BitBlt(item.hDC, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

void MainWindow::ScaleSplashToDpi() {
  if (scaledSplash_) ::DeleteObject(scaledSplash_);
  scaledSplash_ = ScaleSplash(splash_, splashSize_, dpi_, &scaledSize_);
}

// A control not made yet keeps what the handlers set in it until it is.
int MainWindow::Value(Ctl id) {
  HWND control = Control(id);
  if (!control) return values_[id];
  return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void MainWindow::SetValue(Ctl id, int value) {
  HWND control = Control(id);
  if (!control) {
    values_[id] = value;
    return;
  }
  ::SendMessageW(control, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string MainWindow::Text(Ctl id) {
  HWND control = Control(id);
  if (control) return WindowText(control);
  const auto text = texts_.find(id);
  return text != texts_.end() ? text->second : std::string(window::LayoutOf(id).text);
}

void MainWindow::SetText(Ctl id, const std::string& utf8) {
  HWND control = Control(id);
  if (!control) {
    texts_[id] = utf8;
    return;
  }
  ::SetWindowTextW(control, Widen(utf8).c_str());
}

void MainWindow::SetEnabled(Ctl id, bool enabled) {
  HWND control = Control(id);
  if (!control) {
    enabled_[id] = enabled;
    return;
  }
  if (!enabled && ::GetFocus() == control) MoveFocus(false);
  ::EnableWindow(control, enabled ? TRUE : FALSE);
}

void MainWindow::SetVisible(Ctl id, bool visible) {
  shown_[id] = visible;
  if (window::LayoutOf(id).page != window::kNoPage) {
    ShowCurrentPage();
  } else if (HWND control = Control(id)) {
    ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
  }
}

void MainWindow::MsgBox(const std::string& text, int style, const std::string& title) {
  HWND parent = (hwnd_ && ::IsWindowVisible(hwnd_)) ? hwnd_ : nullptr;
  ::MessageBoxW(parent, Widen(text).c_str(), Widen(title).c_str(), static_cast<UINT>(style));
}

void MainWindow::EndProgram() {
  ::ExitProcess(0);
}

void MainWindow::StartProgram(const platform::Path& path) {
  platform::StartProcess(path);
}

void MainWindow::ShowReadme(const std::string& text) {
  ReadmeWindow::ShowText(owner_, text);
}

void MainWindow::SelectPage(int page) {
  TabCtrl_SetCurSel(Control(Ctl::SSTab1), page);
  ShowCurrentPage();
}

// A balloon of the program's own, tracked at the text box: the text box's
// EM_SHOWBALLOONTIP does nothing under Wine.
void MainWindow::ShowBiosTip(const std::string& text) {
  HWND box = Control(Ctl::txtBios);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = hwnd_;
  info.uId = kBiosTipTool;
  std::wstring wide = Widen(text);
  info.lpszText = wide.data();
  if (!biosTip_) {
    biosTip_ =
        CreateWindowOrThrow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_);
    ::SendMessageW(biosTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  HideBiosTip();
  ::SendMessageW(biosTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ::SendMessageW(biosTip_, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(L"GBA BIOS"));
  ::SendMessageW(biosTip_, TTM_SETMAXTIPWIDTH, 0, Px(window::LayoutOf(Ctl::txtBios).width, dpi_));
  ::SendMessageW(biosTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  RECT rc;
  ::GetWindowRect(box, &rc);
  ::SendMessageW(biosTip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM((rc.left + rc.right) / 2, rc.bottom - Px(60, dpi_)));
  ::SendMessageW(biosTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  biosTipShown_ = true;
}

void MainWindow::HideBiosTip() {
  if (!biosTip_ || !biosTipShown_) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = hwnd_;
  info.uId = kBiosTipTool;
  ::SendMessageW(biosTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  biosTipShown_ = false;
}

}  // namespace win32
