// The Win32 windows in the test's own process, where their handles and the
// system's errors can be seen.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/rt_error.h"
#include "platform/system_library.h"
#include "platform/unique_handle.h"
#include "support/as_windows.h"
#include "support/fault_fs.h"
#include "support/find_control.h"
#include "support/screen_pixel.h"
#include "support/temp_folder.h"
#include "window/win32/dpi.h"
#include "window/win32/file_drop.h"
#include "window/win32/main_window.h"
#include "window/win32/win32_util.h"

namespace {

using window::Ctl;

// A window that cannot be made reports the system's reason for it, through
// the one mapping of system codes: here a class nobody registered
// (ERROR_CANNOT_FIND_WND_CLASS, a path/file access error).
TEST(Win32Window, AFailedCreationReportsTheSystemsReason) {
  try {
    win32::CreateWindowOrThrow(0, L"NoSuchClassAnywhere", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    FAIL() << "made a window of a class nobody registered";
  } catch (const platform::RuntimeError& e) {
    EXPECT_EQ(e.Number(), platform::NumberFromWin32(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_NE(e.Number(), platform::kOutOfMemory);
  }
}

// The side of an icon in pixels, as it was made.
int IconSide(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  return bitmap.bmWidth;
}

// Registering a class again, as each new read-me window does, loads no new
// icons: the class keeps the ones of its first registration, at the
// system's sizes.
TEST(Win32Window, AClassIsRegisteredOnceWithItsIcons) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  std::vector<HICON> icons;
  for (int i = 0; i < 3; ++i) {
    win32::RegisterWindowClass(L"QuimbelTestClass", ::DefWindowProcW, 1);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(::GetClassInfoExW(instance, L"QuimbelTestClass", &wc));
    icons.push_back(wc.hIcon);
    EXPECT_EQ(IconSide(wc.hIcon), ::GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconSide(wc.hIconSm), ::GetSystemMetrics(SM_CXSMICON));
  }
  EXPECT_EQ(icons, std::vector<HICON>(3, icons[0]));
}

// A shortcut set to "Run: Maximized" or "Minimized": Windows gives that show
// state to the first ShowWindow that looks like a main window's (the seam
// applies its rules; Wine never does). The main window, owned by the hidden
// owner, is never one; it opens normal, as laid out, active, and no window
// of the program is shown only to be hidden, which would hand activation to
// another program.
TEST(Win32Window, TheShortcutsShowStateNeverReachesTheMainWindow) {
  testing_support::ImportHook show(&::ShowWindow, &as_windows::ShowWindowAsLaunched);
  testing_support::ImportHook box(&::MessageBoxW, &as_windows::MessageBoxAsLaunched);
  testing_support::TempFolder folder;
  testing_support::WriteBytes(folder / "QuimbelAdvance.ini", "SoundEnable              1\r\n");
  testing_support::FaultyFileSystem files(platform::RealFileSystem(), folder.Path());
  for (WORD state : {WORD{SW_SHOWMAXIMIZED}, WORD{SW_SHOWMINIMIZED}, WORD{SW_SHOWMINNOACTIVE},
                     WORD{SW_MAXIMIZE}}) {
    as_windows::launch = {};
    as_windows::launch.show = state;
    HWND owner = win32::CreateHiddenOwner();
    win32::MainWindow main(owner, files, platform::RealProcessStarter());
    main.Open();
    const auto& shown = as_windows::launch.shown;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), owner), 0) << state;
    EXPECT_FALSE(::IsWindowVisible(owner) || ::IsZoomed(owner) || ::IsIconic(owner)) << state;
    EXPECT_TRUE(::IsWindowVisible(main.Hwnd())) << state;
    EXPECT_FALSE(::IsZoomed(main.Hwnd()) || ::IsIconic(main.Hwnd())) << state;
    EXPECT_EQ(::GetActiveWindow(), main.Hwnd()) << state;
    RECT client;
    ::GetClientRect(main.Hwnd(), &client);
    EXPECT_EQ(client.right,
              testing_support::Px(window::kClientWidth, win32::WindowDpi(main.Hwnd())));
    ::DestroyWindow(main.Hwnd());
    ::DestroyWindow(owner);
  }
}

// Counts, for every control, the moments it was moved or painted while the
// font it holds was no longer a font.
int deadFontMoments = 0;
LRESULT CALLBACK WatchFont(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_WINDOWPOSCHANGED || msg == WM_PAINT || msg == WM_SETFONT) {
    auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (font != nullptr && ::GetObjectType(font) != OBJ_FONT) ++deadFontMoments;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

// The main window in this test's own process, over a settings file in a
// fresh folder, as it opens.
class OpenWindow : public ::testing::Test {
 protected:
  OpenWindow() {
    testing_support::WriteBytes(folder_ / "QuimbelAdvance.ini", "SoundEnable              1\r\n");
    main_.Open();
  }
  ~OpenWindow() override { ::DestroyWindow(main_.Hwnd()); }

  HWND Control(Ctl id) { return testing_support::FindControl(main_.Hwnd(), id); }

  // Whether the window's balloon at the BIOS box shows.
  bool BalloonShown() {
    for (HWND tip = nullptr; (tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
      if (::GetWindow(tip, GW_OWNER) == main_.Hwnd() &&
          (::GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) && ::IsWindowVisible(tip))
        return true;
    }
    return false;
  }

  testing_support::TempFolder folder_;
  testing_support::FaultyFileSystem files_{platform::RealFileSystem(), folder_.Path()};
  win32::MainWindow main_{nullptr, files_, platform::RealProcessStarter()};
};

// The same with every page shown once, so that every control exists.
class InProcessWindow : public OpenWindow {
 protected:
  InProcessWindow() {
    for (int page : {2, 1, 0}) main_.SelectPage(page);
    // The splash goes, as a click on it does, and with it the Run page comes.
    ::SendMessageW(main_.Hwnd(), WM_COMMAND,
                   MAKEWPARAM(static_cast<int>(Ctl::Picture1), STN_CLICKED),
                   reinterpret_cast<LPARAM>(Control(Ctl::Picture1)));
  }
};

// The window moved to a screen of this DPI, as the system tells it, and
// repainted.
void ChangeDpi(HWND hwnd, UINT dpi) {
  RECT suggested;
  ::GetWindowRect(hwnd, &suggested);
  ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  ::UpdateWindow(hwnd);
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// On a DPI change the controls get their new fonts before the old ones go.
TEST_F(InProcessWindow, ADpiChangeNeverLeavesAControlWithADeletedFont) {
  // Every descendant, found by walking the tree.
  ::EnumChildWindows(
      main_.Hwnd(),
      [](HWND child, LPARAM) WINAPI -> BOOL {
        ::SetWindowSubclass(child, WatchFont, 7, 0);
        return TRUE;
      },
      0);
  deadFontMoments = 0;
  for (UINT dpi : {144u, 96u, 120u, 96u}) ChangeDpi(main_.Hwnd(), dpi);
  EXPECT_EQ(deadFontMoments, 0);
}

// Every container's controls in z-order, which is also the order screen
// readers and the keyboard meet them in. The tab strip's scroll arrows, which
// the system makes anew as the strip is sized, have no ID and are left out.
std::vector<std::vector<HWND>> ChildOrders(HWND root) {
  std::vector<std::vector<HWND>> orders;
  std::vector<HWND> containers{root};
  for (std::size_t i = 0; i < containers.size(); ++i) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(containers[i], GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (::GetDlgCtrlID(child) == 0) continue;
      children.push_back(child);
      containers.push_back(child);
    }
    orders.push_back(children);
  }
  return orders;
}

// Screen readers name an edit box after the static control right before it
// in z-order: that is the label "GBA BIOS", at every DPI, however late the
// page was made; where the system's accessibility objects answer, they say
// so.
TEST_F(InProcessWindow, ScreenReadersNameTheBiosBoxAfterItsLabel) {
  HWND box = Control(Ctl::txtBios), label = Control(Ctl::Label1);
  const auto orders = ChildOrders(main_.Hwnd());
  for (UINT dpi : {96u, 144u, 96u}) {
    ChangeDpi(main_.Hwnd(), dpi);
    EXPECT_EQ(ChildOrders(main_.Hwnd()), orders) << "z-order changed at " << dpi;
    EXPECT_EQ(::GetWindow(box, GW_HWNDPREV), label) << dpi;
    // The label shows nowhere the box does: what the box covered before.
    RECT boxRect;
    ::GetWindowRect(box, &boxRect);
    ::MapWindowPoints(nullptr, label, reinterpret_cast<POINT*>(&boxRect), 2);
    HRGN shown = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(label, shown), ERROR) << dpi;
    EXPECT_FALSE(::RectInRegion(shown, &boxRect)) << dpi;
    ::DeleteObject(shown);
  }
  IAccessible* accessible = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
    return;
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) == S_OK && name) {
    EXPECT_EQ(std::wstring(name), L"GBA BIOS");
    ::SysFreeString(name);
  }
  accessible->Release();
}

// The splash covers the pages made while it shows.
TEST_F(OpenWindow, TheSplashStaysAbovePagesMadeUnderIt) {
  for (int page : {1, 2, 0}) main_.SelectPage(page);
  EXPECT_EQ(::GetWindow(Control(Ctl::SSTab1), GW_CHILD), Control(Ctl::Picture1));
}

// At each DPI the window's icons are made at that DPI's sizes, not taken
// from the first size loaded and scaled.
// Sizes between the images (175 %, and over 200 %) come from the next larger
// image scaled down, as LoadIconWithScaleDown does; LoadImage would scale
// the next smaller one up, blurred, on Windows (Wine picks otherwise).
// (MinGW-w64's import library lacks it: it is found as the program finds it.)
std::vector<int> scaledDown;
decltype(&::LoadIconWithScaleDown) realScaleDown = nullptr;
HRESULT WINAPI RecordScaleDown(HINSTANCE module, PCWSTR name, int cx, int cy, HICON* icon) {
  scaledDown.push_back(cx);
  return realScaleDown(module, name, cx, cy, icon);
}

TEST_F(InProcessWindow, IconsComeAtTheSizesOfEachDpi) {
  realScaleDown = platform::Find(platform::system_functions::LoadIconWithScaleDown);
  ASSERT_NE(realScaleDown, nullptr);
  testing_support::LookupHook comctl32(
      {{reinterpret_cast<void*>(realScaleDown), reinterpret_cast<void*>(&RecordScaleDown)}});
  for (UINT dpi : {144u, 96u, 120u, 168u, 216u, 240u, 288u, 144u}) {
    scaledDown.clear();
    ChangeDpi(main_.Hwnd(), dpi);
    auto icon = [&](WPARAM which) {
      return reinterpret_cast<HICON>(::SendMessageW(main_.Hwnd(), WM_GETICON, which, 0));
    };
    const int big = static_cast<int>(32 * dpi / 96), small = static_cast<int>(16 * dpi / 96);
    EXPECT_EQ(IconSide(icon(ICON_BIG)), big) << dpi;
    EXPECT_EQ(IconSide(icon(ICON_SMALL)), small) << dpi;
    EXPECT_EQ(scaledDown, (std::vector<int>{big, small})) << dpi;
  }
}

// Only a broadcast that can have changed fonts or metrics lays the window
// out again; the many others Windows 10 and 11 send change and repaint
// nothing.
TEST_F(InProcessWindow, OnlyFontAndMetricsChangesLayTheWindowOutAgain) {
  const struct {
    WPARAM what;
    const wchar_t* area;
    bool refits;
  } cases[] = {
      {0, L"Environment", false},
      {0, L"ImmersiveColorSet", false},
      {0, L"Policy", false},
      {SPI_SETDESKWALLPAPER, nullptr, false},
      {SPI_SETNONCLIENTMETRICS, nullptr, true},
      {0, nullptr, true},
  };
  // The main window (with its label and tab strip) and the read-me window.
  main_.ShowReadme("A line.");
  HWND readme = ::FindWindowW(L"QuimbelReadmeWindow", nullptr);
  ASSERT_NE(readme, nullptr);
  const struct {
    HWND window, label, other;
  } windows[] = {{main_.Hwnd(), Control(Ctl::Label1), Control(Ctl::SSTab1)},
                 {readme, ::GetWindow(readme, GW_CHILD), readme}};
  for (const auto& c : cases) {
    for (const auto& w : windows) {
      ::UpdateWindow(w.window);
      ::RedrawWindow(w.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      const auto font = ::SendMessageW(w.label, WM_GETFONT, 0, 0);
      ::SendMessageW(w.window, WM_SETTINGCHANGE, c.what, reinterpret_cast<LPARAM>(c.area));
      const bool refitted = ::SendMessageW(w.label, WM_GETFONT, 0, 0) != font;
      const bool repaints = ::GetUpdateRect(w.window, nullptr, FALSE) ||
                            ::GetUpdateRect(w.other, nullptr, FALSE) ||
                            ::GetUpdateRect(w.label, nullptr, FALSE);
      const bool isReadme = w.window == readme;
      EXPECT_EQ(refitted, c.refits) << c.what << " " << (c.area ? c.area : L"") << isReadme;
      EXPECT_EQ(repaints, c.refits) << c.what << " " << (c.area ? c.area : L"") << isReadme;
    }
  }
  ::DestroyWindow(readme);
}

// The balloon at the BIOS box goes at a DPI change, which moves and resizes
// the box under it.
TEST_F(InProcessWindow, TheBiosBalloonGoesAtADpiChange) {
  main_.SelectPage(1);
  main_.ShowBiosTip("No file at this path.");
  ASSERT_TRUE(BalloonShown());
  // The system's suggestion for a monitor of the new DPI keeps the place.
  ChangeDpi(main_.Hwnd(), 144);
  EXPECT_FALSE(BalloonShown());
}

// Keys as the message loop hands them to the window, with Shift and Ctrl as
// the keyboard holds them.
bool Press(win32::MainWindow& main, WPARAM key, bool shift = false, bool ctrl = false) {
  BYTE state[256];
  ::GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  ::SetKeyboardState(state);
  MSG msg{::GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
  const bool used = main.PreTranslate(msg);
  state[VK_SHIFT] = state[VK_CONTROL] = 0;
  ::SetKeyboardState(state);
  return used;
}

// Tab and Shift+Tab follow the window's own order past what cannot take the
// focus (Save is disabled until an edit); Ctrl+Tab and Ctrl+Shift+Tab go
// round the tabs; any key ends the balloon.
TEST_F(InProcessWindow, KeysFollowTheWindowsOwnOrder) {
  const struct {
    int page;
    Ctl from;
    bool shift, ctrl;
    Ctl focus;  // where the focus goes, for Tab and Shift+Tab
    int to;     // the tab shown after, for Ctrl+Tab
  } cases[] = {
      {1, Ctl::Check2, true, false, Ctl::SSTab1, 1},   // back past the disabled Save
      {1, Ctl::SSTab1, false, false, Ctl::Check2, 1},  // on past it
      {1, Ctl::Check1, false, false, Ctl::SSTab1, 1},  // round, past the hidden splash
      {0, Ctl::SSTab1, true, true, Ctl::SSTab1, 2},    // from the first tab to the last
      {2, Ctl::SSTab1, false, true, Ctl::SSTab1, 0},   // from the last to the first
  };
  for (const auto& c : cases) {
    main_.SelectPage(c.page);
    ::SetFocus(Control(c.from));
    EXPECT_TRUE(Press(main_, VK_TAB, c.shift, c.ctrl));
    const int shown = static_cast<int>(::SendMessageW(Control(Ctl::SSTab1), TCM_GETCURSEL, 0, 0));
    EXPECT_EQ(shown, c.to) << c.page << " " << static_cast<int>(c.from);
    EXPECT_EQ(::GetFocus(), Control(c.focus)) << c.page << " " << static_cast<int>(c.from);
  }
  main_.SelectPage(1);
  main_.ShowBiosTip("No file at this path.");
  ASSERT_TRUE(BalloonShown());
  Press(main_, VK_RIGHT);
  EXPECT_FALSE(BalloonShown());
}

// A drag from another program starts with a click there: OLE drops are
// taken from the moment the window loses activation, whether or not the
// Options page was ever shown.
TEST_F(OpenWindow, AcceptsOleDropsOnceItLosesActivation) {
  ::SendMessageW(main_.Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  // The window's own drop target is registered: a second one is refused.
  const auto other = win32::FileDropTarget::Register(main_.Hwnd(), [](const auto&) {});
  if (other) other->Revoke();
  EXPECT_EQ(other, nullptr);
}

// The window draws the splash into the picture's item only: another
// owner-drawn item keeps what its own owner drew.
TEST_F(InProcessWindow, OnlyThePictureIsDrawnAsTheSplash) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 40, 20);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT all{0, 0, 40, 20};
  const COLORREF mark = RGB(1, 2, 3);
  HBRUSH brush = ::CreateSolidBrush(mark);
  ::FillRect(dc, &all, brush);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(Ctl::Check1);
  item.hwndItem = Control(Ctl::Check1);
  item.hDC = dc;
  item.rcItem = all;
  ::SendMessageW(main_.Hwnd(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(::GetPixel(dc, 20, 10), mark);
  ::SelectObject(dc, old);
  ::DeleteObject(brush);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
}

// Makes every window but the controls of a window of class `refusedParent`.
const wchar_t* refusedParent = L"QuimbelReadmeWindow";
HWND WINAPI CreateWithoutControlsOf(DWORD ex, LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y,
                                    int w, int h, HWND parent, HMENU menu, HINSTANCE instance,
                                    LPVOID param) {
  wchar_t parentClass[64] = L"";
  if (parent) ::GetClassNameW(parent, parentClass, 64);
  if (std::wstring(parentClass) == refusedParent) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return testing_support::ImportHook::Real(&::CreateWindowExW)(ex, cls, text, style, x, y, w, h,
                                                               parent, menu, instance, param);
}

// A read-me window that cannot be made whole is not made at all: none is
// left behind holding a destroyed object, and the next opening works.
TEST_F(InProcessWindow, AReadmeWindowIsMadeWholeOrNotAtAll) {
  {
    testing_support::ImportHook hook(&::CreateWindowExW, &CreateWithoutControlsOf);
    EXPECT_THROW(main_.ShowReadme("A line."), platform::RuntimeError);
  }
  EXPECT_EQ(::FindWindowW(L"QuimbelReadmeWindow", nullptr), nullptr);
  main_.ShowReadme("A line.");
  HWND readme = ::FindWindowW(L"QuimbelReadmeWindow", nullptr);
  ASSERT_NE(readme, nullptr);
  ::DestroyWindow(readme);
  // Nothing of the failed window stays counted: once the main window closes
  // too, the program ends.
  MSG quit;
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  ::DestroyWindow(main_.Hwnd());
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

  // The main window too, when its opening fails half way: no window is left
  // to reach the destroyed object while the failure is reported, nor a quit
  // message, which would close that report at once.
  refusedParent = L"QuimbelMainWindow";
  {
    testing_support::ImportHook hook(&::CreateWindowExW, &CreateWithoutControlsOf);
    win32::MainWindow failing(nullptr, files_, platform::RealProcessStarter());
    EXPECT_THROW(failing.Open(), platform::RuntimeError);
  }
  refusedParent = L"QuimbelReadmeWindow";
  EXPECT_EQ(::FindWindowW(L"QuimbelMainWindow", nullptr), nullptr);
  EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Runs the thread's messages until `done` holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& done) {
  const ULONGLONG until = ::GetTickCount64() + 2000;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (::GetTickCount64() >= until) return false;
    ::Sleep(20);
  }
}

// The tab control draws its tabs and their captions over the page it
// paints itself.
TEST_F(InProcessWindow, TheTabStripShowsItsTabs) {
  HWND tab = Control(Ctl::SSTab1);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  auto drawn = [&] {
    int other = 0;  // pixels across the strip that are not the page's colour
    for (int x = 0; x < window::LayoutOf(Ctl::SSTab1).width; x += 15)
      other += testing_support::ScreenPixel(tab, x, window::kTabStripHeight / 2) != face;
    return other > 10;
  };
  EXPECT_TRUE(PumpUntil(drawn));
}

// The process's GDI and USER objects. Wine's GetGuiResources answers 0 for
// both, which no real Windows does for a process with a window; there the
// objects are counted instead: GDI objects and icons by walking the handle
// tables (Wine takes a handle given by its index alone for the live object
// at that index), windows by enumerating them.
struct GuiObjects {
  DWORD gdi = 0, user = 0;
};

BOOL CALLBACK CountOwnWindow(HWND hwnd, LPARAM count) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != ::GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<DWORD*>(count);
  ::EnumChildWindows(hwnd, CountOwnWindow, count);
  return TRUE;
}

GuiObjects CountGuiObjects() {
  HANDLE self = ::GetCurrentProcess();
  GuiObjects n{::GetGuiResources(self, GR_GDIOBJECTS), ::GetGuiResources(self, GR_USEROBJECTS)};
  if (n.gdi != 0 && n.user != 0) return n;
  n = {};
  for (UINT_PTR index = 0; index < 0x10000; ++index) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++n.gdi;
  }
  for (UINT_PTR index = 0x20; index < 0x10000; index += 2) {  // USER handles are even
    ICONINFO icon;
    if (!::GetIconInfo(reinterpret_cast<HICON>(index), &icon)) continue;
    ++n.user;
    ::DeleteObject(icon.hbmMask);
    if (icon.hbmColor) ::DeleteObject(icon.hbmColor);
  }
  ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&n.user));
  for (HWND only = nullptr; (only = ::FindWindowExW(HWND_MESSAGE, only, nullptr, nullptr));)
    CountOwnWindow(only, reinterpret_cast<LPARAM>(&n.user));
  return n;
}

// Opening and closing the read-me window, and DPI changes of both windows,
// leave no GDI or USER object behind.
TEST_F(InProcessWindow, ReadmeOpeningsAndDpiChangesLeaveNoObjectBehind) {
  auto openAndClose = [&] {
    main_.ShowReadme("A line to show.\r\nAnd another.");
    HWND readme = ::FindWindowW(L"QuimbelReadmeWindow", nullptr);
    ASSERT_NE(readme, nullptr);
    ChangeDpi(readme, 144);
    ::DestroyWindow(readme);
  };
  auto settle = [] { PumpUntil([] { return true; }); };
  // The first times make what every later time shares: the class, the
  // shared icons at each size, the system's cache of device contexts.
  for (int i = 0; i < 2; ++i) {
    openAndClose();
    for (UINT dpi : {144u, 96u}) ChangeDpi(main_.Hwnd(), dpi);
  }
  settle();

  // The count sees an object come and go.
  const GuiObjects before = CountGuiObjects();
  {
    platform::UniqueFont font(
        ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    HWND window =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, 0);
    const GuiObjects during = CountGuiObjects();
    EXPECT_GT(during.gdi, before.gdi);
    EXPECT_GT(during.user, before.user);
    ::DestroyWindow(window);
  }
  EXPECT_EQ(CountGuiObjects().gdi, before.gdi);

  for (int i = 0; i < 20; ++i) openAndClose();
  for (int i = 0; i < 10; ++i) ChangeDpi(main_.Hwnd(), i % 2 == 0 ? 144 : 96);
  settle();
  const GuiObjects after = CountGuiObjects();
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
}

using testing_support::ScreenPixel;

// A colour scheme changed while the program runs (here in its own process:
// Wine passes no change made elsewhere) shows at once, in the tab control's
// page as much as in the program's own painting.
TEST_F(InProcessWindow, AColourSchemeChangeRepaintsWithTheNewColours) {
  auto control = [&](Ctl id) { return Control(id); };
  HWND tab = control(Ctl::SSTab1), frame = control(Ctl::Frame4);
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(frame) != FALSE; }));

  const int elements[] = {COLOR_BTNFACE, COLOR_WINDOW};
  const COLORREF before[] = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW)};
  const COLORREF face = RGB(200, 120, 40), window = RGB(10, 200, 30);
  const COLORREF after[] = {face, window};
  ::SetSysColors(2, elements, after);
  // The page below the frame, the inside of the frame, beside an option.
  const bool repainted = PumpUntil([&] {
    return ScreenPixel(tab, 60, 2355) == face && ScreenPixel(frame, 3000, 200) == face &&
           ScreenPixel(control(Ctl::Option2), 600, 90) == face;
  });
  const COLORREF page = ScreenPixel(tab, 60, 2355), inside = ScreenPixel(frame, 3000, 200);
  ::SetSysColors(2, elements, before);
  // Wine keeps colours set so in a volatile key that outranks the user's
  // scheme for every later program until its server ends; tests that set a
  // scheme of their own come after this one.
  ::RegDeleteTreeW(HKEY_CURRENT_USER,
                   L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors");
  EXPECT_TRUE(repainted) << std::hex << "page " << page << ", frame " << inside;
}

// The BIOS box has its tooltip once, however late its page is made: here
// after the window has gone idle and made the tooltip window.
TEST_F(OpenWindow, APageMadeLateHasEachTooltipOnce) {
  // The hover tooltip: of the window's own, and no balloon.
  HWND tips = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    while ((tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
      if (::GetWindow(tips, GW_OWNER) == main_.Hwnd() &&
          !(::GetWindowLongW(tips, GWL_STYLE) & TTS_BALLOON))
        return true;
    }
    return false;
  }));
  main_.SelectPage(1);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
}

// A data object holding files as an OLE drag carries them (CF_HDROP).
class FileList final : public IDataObject {
 public:
  explicit FileList(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& path : paths) list += path + L'\0';
    list += L'\0';
    block_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::memcpy(block_.data(), &header, sizeof header);
    std::memcpy(block_.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = (riid == __uuidof(IUnknown) || riid == __uuidof(IDataObject)) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block_.size());
    std::memcpy(::GlobalLock(memory), block_.data(), block_.size());
    ::GlobalUnlock(memory);
    *medium = {};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<char> block_;
};

// An OLE drag of files, as programs that drag the OLE way deliver it, hands
// the paths on as WM_DROPFILES would.
TEST(Win32Window, AnOleDropOfFilesGivesTheirPaths) {
  HWND window = win32::CreateWindowOrThrow(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  std::vector<std::vector<std::string>> drops;
  const auto target = win32::FileDropTarget::Register(
      window, [&](const std::vector<std::string>& paths) { drops.push_back(paths); });
  ASSERT_NE(target, nullptr);
  FileList files({L"C:\\gba\\gba_bios.bin", L"D:\\\u00e9t\u00e9\\b.gba"});
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->DragEnter(&files, 0, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->Drop(&files, 0, {0, 0}, &effect), S_OK);
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0],
            (std::vector<std::string>{"C:\\gba\\gba_bios.bin", "D:\\\xC3\xA9t\xC3\xA9\\b.gba"}));
  target->Revoke();
  ::DestroyWindow(window);
}

}  // namespace
