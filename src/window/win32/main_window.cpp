// The main window's making, its layout at a DPI, and the routing of messages
// and notifications to the handlers.
#include "window/win32/main_window.h"

#include <commctrl.h>

#include "platform/process.h"
#include "platform/system_library.h"
#include "window/credits.h"
#include "window/win32/dpi.h"

namespace win32 {

using window::Ctl;

namespace {

constexpr wchar_t kClassName[] = L"QuimbelMainWindow";
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT_PTR kFinishStartTimer = 2;
constexpr int kIconResource = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// WS_EX_ACCEPTFILES: files dropped from Explorer arrive as WM_DROPFILES.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

}  // namespace

MainWindow::MainWindow(HWND owner, platform::FileSystem& files, platform::ProcessStarter& processes)
    : owner_(owner), files_(files), form_(*this, files, processes) {}

void MainWindow::Open() {
  // Created at its final size, centred on the primary screen, so that
  // nothing is laid out twice; another monitor's DPI arrives as WM_DPICHANGED.
  dpi_ = SystemDpi();
  const SIZE size = OuterSize(Px(window::kClientWidth, dpi_), Px(window::kClientHeight, dpi_),
                              kStyle, kExStyle, dpi_);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  Create(kClassName, kIconResource, kExStyle, platform::Widen(window::kMainCaption).c_str(), kStyle,
         (screenW - size.cx) / 2, (screenH - size.cy) / 2, size.cx, size.cy, owner_);
  platform::SetConsentPromptFallback(hwnd_);
  controls_.Attach(hwnd_, [this](const window::ControlSpec& entry) { OnControlMade(entry); });
  biosTip_.Attach(hwnd_);
  splash_.Load();
  splash_.SetDpi(dpi_);
  fonts_ = WindowFonts(dpi_);
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

// The tab control and the splash over it. A page's own controls are made
// when the page first shows, so the first picture costs only what it shows.
void MainWindow::CreateControls() {
  for (Ctl id : {Ctl::SSTab1, Ctl::Picture1, Ctl::Label2}) {
    controls_.Make(window::LayoutOf(id), dpi_, fonts_);
    if (id == Ctl::SSTab1) UnthemeTabs();  // before its tabs, which it then lays out once
  }
  HWND tab = Control(Ctl::SSTab1);
  for (int page = 0; page < window::kPageCount; ++page) {
    std::wstring caption = platform::Widen(window::kPageCaptions[page]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    TabCtrl_InsertItem(tab, page, &item);
  }
  SizeTabs();
  ShowCurrentPage();
}

// A visual style would paint the page white around the grey frames, and
// frames are not drawn to sit on it: under a style the tab control draws as
// tab controls of that era did, in the button-face colour. (Without one,
// there is nothing to undo, and the call would cost start-up time.)
void MainWindow::UnthemeTabs() {
  namespace functions = platform::system_functions;
  const auto themed = platform::Find(functions::IsThemeActive);
  const auto setTheme = platform::Find(functions::SetWindowTheme);
  if (themed && setTheme && themed()) setTheme(Control(Ctl::SSTab1), L" ", L" ");
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
  // may the old ones go, with `old`.
  WindowFonts old = std::move(fonts_);
  fonts_ = WindowFonts(dpi_);
  SetClientSize(hwnd_, Px(window::kClientWidth, dpi_), Px(window::kClientHeight, dpi_), dpi_,
                origin);
  controls_.Place(dpi_, fonts_);
  SizeTabs();
  splash_.SetDpi(dpi_);
  icons_ = SetIconsForDpi(hwnd_, kIconResource, dpi_);
  // Nothing may keep what it drew at the old size, the splash's label
  // included.
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Each tab shows only its own controls; the splash belongs to "Run".
void MainWindow::ShowCurrentPage() {
  controls_.ShowPage(TabCtrl_GetCurSel(Control(Ctl::SSTab1)), dpi_, fonts_);
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
    case WM_DRAWITEM: {
      // Only the picture is drawn by the window; any other owner-drawn item
      // is not the splash's to paint over.
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      const auto* entry = window::FindControl(static_cast<Ctl>(item.CtlID));
      if (item.CtlType != ODT_STATIC || !entry || entry->kind != window::Kind::kPicture ||
          Control(entry->id) != item.hwndItem)
        return ::DefWindowProcW(hwnd_, msg, wp, lp);
      splash_.Draw(item.hDC, item.rcItem);
      return TRUE;
    }
    case WM_DPICHANGED: {
      // The balloon would stay at its old place and size, pointing at
      // nothing: it goes, as it does when the window moves.
      HideBiosTip();
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
      if (Control(Ctl::SSTab1)) Layout(nullptr);
      return 0;
    case WM_SETTINGCHANGE:
      // Where fonts or metrics may have changed, the dialog font that fits
      // the boxes is chosen again; other broadcasts change nothing.
      if (Control(Ctl::SSTab1) && FontsMayHaveChanged(wp, lp)) Layout(nullptr);
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
      dropTarget_.Reset();
      ::KillTimer(hwnd_, kSplashTimer);
      platform::SetConsentPromptFallback(nullptr);
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
    default:
      // The options of one container are one group (BS_AUTORADIOBUTTON, the
      // first with WS_GROUP): the system clears the others at a click.
      break;
  }
}

// The splash and its label in the window colour, everything else in the
// button face's, read from the system as they paint.
LRESULT MainWindow::OnColor(HDC dc, HWND control) {
  const auto* entry = window::FindControl(static_cast<Ctl>(::GetDlgCtrlID(control)));
  const bool splash = entry && entry->paint == window::Paint::kWindow;
  ::SetBkColor(dc, ::GetSysColor(splash ? COLOR_WINDOW : COLOR_BTNFACE));
  ::SetTextColor(dc, ::GetSysColor(splash ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(splash ? COLOR_WINDOW : COLOR_BTNFACE));
}

}  // namespace win32
