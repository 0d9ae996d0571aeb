// The real quimbel.exe under Wine as the system around it changes or
// differs: a DPI change while it runs, a visual style, an older Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <set>
#include <vector>

#include "e2e/driver.h"
#include "support/screen_pixel.h"
#include "window/form_layout.h"

namespace {

using e2e::Pixels;
using window::Ctl;

const std::string kFile =
    "SoundEnable              1\r\nDebugMenuEnable          0\r\n"
    "BIOSRom                  \"C:\\gba\\gba_bios.gba\"\r\n";

using e2e::Control;

int Differing(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  int n = 0;
  for (std::size_t i = 0; i < a.bgr.size(); ++i) n += a.bgr[i] != b.bgr[i];
  return n;
}

// What a user sees of the main window: its client size, every control's
// place, the splash, and the Options tab.
struct MainShot {
  SIZE client{};
  std::vector<RECT> controls;
  Pixels splash;
  std::vector<Pixels> options;
};

MainShot Places(HWND main) {
  MainShot shot;
  RECT client;
  ::GetClientRect(main, &client);
  shot.client = {client.right, client.bottom};
  for (const auto& entry : window::kControls) {
    HWND control = Control(main, entry.id);
    shot.controls.push_back(control ? e2e::RectIn(control, ::GetParent(control)) : RECT{});
  }
  return shot;
}

// The splash as it shows, then the Options tab once the splash is gone.
MainShot Shoot(HWND main, const MainShot* like = nullptr) {
  MainShot shot = Places(main);
  HWND picture = Control(main, Ctl::Picture1);
  // The last picture taken while waiting for the expected one is the one
  // compared.
  if (like) {
    e2e::WaitFor([&] { return (shot.splash = e2e::Capture(picture)) == like->splash; });
  } else {
    shot.splash = e2e::Capture(picture);
  }
  return shot;
}

// Once the splash is gone, the Options tab's controls that show text in
// the window's font. (The check boxes' own glyphs are left out: under Wine
// the system draws them at the system DPI, not at the window's.)
void ShootOptions(HWND main, MainShot& shot, const MainShot* like = nullptr) {
  e2e::PastSplash(main);
  // Every page once, so that every control is made and placed.
  e2e::SelectTab(Control(main, Ctl::SSTab1), 2);
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame5)) != FALSE; });
  e2e::SelectTab(Control(main, Ctl::SSTab1), 1);
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame2)) != FALSE; });
  shot.controls = Places(main).controls;
  auto capture = [&] {
    std::vector<Pixels> all;
    for (Ctl id : {Ctl::Label1, Ctl::txtBios, Ctl::cmdSaveSettings})
      all.push_back(e2e::Capture(Control(main, id)));
    // The row of tabs, whose sizes follow the DPI too.
    RECT client;
    ::GetClientRect(main, &client);
    const int dpi = ::MulDiv(client.right, 1440, window::kClientWidth);
    all.push_back(
        e2e::Capture(Control(main, Ctl::SSTab1), ::MulDiv(window::kTabStripHeight, dpi, 1440)));
    return all;
  };
  if (like) {
    e2e::WaitFor([&] { return (shot.options = capture()) == like->options; });
  } else {
    ::Sleep(300);  // nothing to wait for: this is the picture to compare with
    shot.options = capture();
  }
}

void ExpectSame(const MainShot& got, const MainShot& fresh, const char* what) {
  EXPECT_EQ(got.client.cx, fresh.client.cx) << what;
  EXPECT_EQ(got.client.cy, fresh.client.cy) << what;
  for (std::size_t i = 0; i < fresh.controls.size(); ++i) {
    const RECT &a = got.controls[i], &b = fresh.controls[i];
    EXPECT_TRUE(a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom)
        << what << ": " << window::kControls[i].name;
  }
  EXPECT_EQ(Differing(got.splash, fresh.splash), 0) << what << ": the splash";
  ASSERT_EQ(got.options.size(), fresh.options.size());
  for (std::size_t i = 0; i < fresh.options.size(); ++i)
    EXPECT_EQ(Differing(got.options[i], fresh.options[i]), 0) << what << ": Options, control " << i;
}

class SystemChanges : public e2e::ProgramTest {
 protected:
  SystemChanges() : ProgramTest(kFile) {}

  // The main window of a fresh start at this DPI, as it shows.
  MainShot FreshStart(DWORD dpi) {
    e2e::ScopedDpi scoped(dpi);
    HWND main = Open();
    EXPECT_NE(main, nullptr);
    if (!main) return {};
    ::Sleep(300);  // the reference picture: let it settle
    MainShot shot = Shoot(main);
    ShootOptions(main, shot);
    starter_.reset();
    return shot;
  }
};

// A window moved to a monitor of another DPI looks exactly as one started
// there: the same places, fonts and splash, and back again.
TEST_F(SystemChanges, TheMainWindowFollowsADpiChangeAsAFreshStartWould) {
  const MainShot fresh144 = FreshStart(144);
  const MainShot fresh96 = FreshStart(96);

  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::SendDpiChanged(main, 96, 144);
  MainShot at144 = Shoot(main, &fresh144);
  e2e::SendDpiChanged(main, 144, 96);
  MainShot back = Shoot(main, &fresh96);
  e2e::SendDpiChanged(main, 96, 144);
  ShootOptions(main, at144, &fresh144);
  e2e::SendDpiChanged(main, 144, 96);
  MainShot backOptions = Places(main);
  ShootOptions(main, backOptions, &fresh96);
  back.options = backOptions.options;
  back.controls = backOptions.controls;
  ExpectSame(at144, fresh144, "96 to 144");
  ExpectSame(back, fresh96, "144 back to 96");
}

// The read-me window, opened from the Info tab.
HWND OpenReadme(e2e::Starter& starter, HWND main) {
  e2e::SelectTab(e2e::PastSplash(main), 2);
  e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::cmdReadme)) != FALSE; });
  e2e::Click(Control(main, Ctl::cmdReadme));
  return starter.TopWindow(L"QuimbelReadmeWindow");
}

TEST_F(SystemChanges, TheReadmeWindowFollowsADpiChangeAsAFreshStartWould) {
  auto freshReadme = [&](DWORD dpi) {
    e2e::ScopedDpi scoped(dpi);
    Start();
    HWND readme = OpenReadme(*starter_, starter_->MainWindow());
    EXPECT_NE(readme, nullptr);
    ::Sleep(300);  // the reference picture: let it settle
    Pixels shot = readme ? e2e::Capture(readme) : Pixels{};
    starter_.reset();
    return shot;
  };
  const Pixels fresh144 = freshReadme(144), fresh96 = freshReadme(96);

  Start();
  HWND readme = OpenReadme(*starter_, starter_->MainWindow());
  ASSERT_NE(readme, nullptr);
  // Keeps the last picture taken while waiting for the expected one: the
  // windows may be stacked differently later, which is not the point here.
  Pixels shot;
  auto shows = [&](const Pixels& expected) {
    return e2e::WaitFor([&] { return (shot = e2e::Capture(readme)) == expected; });
  };
  e2e::SendDpiChanged(readme, 96, 144);
  EXPECT_TRUE(shows(fresh144)) << "96 to 144: " << Differing(shot, fresh144) << " pixels differ";
  e2e::SendDpiChanged(readme, 144, 96);
  EXPECT_TRUE(shows(fresh96)) << "144 back to 96: " << Differing(shot, fresh96) << " pixels differ";
}

// Under a visual style the tab control's page is the button-face colour,
// like the frames on it, not the style's white.
TEST_F(SystemChanges, UnderAVisualStyleTheTabPageMatchesItsFrames) {
  e2e::ScopedRegistry theme(L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                            {{L"ThemeActive", L"1"},
                             {L"DllName", L"C:\\windows\\resources\\themes\\light\\light.msstyles"},
                             {L"ColorName", L"NormalColor"},
                             {L"SizeName", L"NormalSize"}});
  HWND main = Open();
  ASSERT_NE(main, nullptr);
  e2e::PastSplash(main);
  ASSERT_TRUE(e2e::WaitFor([&] { return ::IsWindowVisible(Control(main, Ctl::Frame4)) != FALSE; }));
  HWND frame = Control(main, Ctl::Frame4), tab = Control(main, Ctl::SSTab1);
  const auto pixel = testing_support::ScreenPixel;
  // The page below the frame and to its right, against the inside of the
  // frame, away from its controls, once the splash is gone from there.
  auto same = [&] {
    const COLORREF face = pixel(frame, 3000, 200);
    return pixel(tab, 60, 2355) == face && pixel(tab, 5115, 1200) == face;
  };
  EXPECT_TRUE(e2e::WaitFor(same)) << std::hex << pixel(tab, 60, 2355) << " and "
                                  << pixel(tab, 5115, 1200) << " beside "
                                  << pixel(frame, 3000, 200);
  // The program ends before the style is switched off again, so that
  // nothing it writes outlives the test.
  starter_.reset();
}

// The DPI awareness the exe declares: per monitor (V2 on Windows 10 1703
// and later) with PerMonitor after it for 1607, which knows no V2 and would
// otherwise ignore dpiAware as well; dpiAware for 7 and 8.1.
TEST(Manifest, DeclaresDpiAwarenessEveryWindowsUnderstands) {
  const std::wstring exe = (e2e::BinFolder() / "quimbel.exe").native();
  HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const std::string manifest(
      static_cast<const char*>(::LockResource(::LoadResource(module, found))),
      ::SizeofResource(module, found));
  ::FreeLibrary(module);
  auto element = [&](const std::string& name) {
    const std::size_t open = manifest.find('>', manifest.find("<" + name + " "));
    const std::size_t close = manifest.find("</" + name + ">");
    return open < close && close != std::string::npos ? manifest.substr(open + 1, close - open - 1)
                                                      : std::string("(none)");
  };
  EXPECT_EQ(element("dpiAwareness"), "PerMonitorV2, PerMonitor");
  EXPECT_EQ(element("dpiAware"), "true/pm");
}

// Each window asks for its icons at 32 and 16 pixels scaled by its DPI (the
// title bar, Alt+Tab, the taskbar); at 100, 125, 150 and 200 % each icon has
// an image drawn at exactly that size, and at 175 % and up to 300 % one at
// least that large to be scaled down, so that none is stretched up. The main
// window's icon, which is also the exe's (the first), is the one drawn in 16
// colours at 32 pixels; the read-me window's is in 256 (tools/make-art.py).
TEST(Icons, EveryIconHasAnImageAtEachSizeAWindowAsksFor) {
  const std::wstring exe = (e2e::BinFolder() / "quimbel.exe").native();
  HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
#pragma pack(push, 2)
  struct GroupEntry {  // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  for (int icon : {1, 2}) {  // the main window's and the read-me window's
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(icon), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr) << icon;
    const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
      GroupEntry entry;
      std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
      EXPECT_EQ(entry.width, entry.height);
      sizes.insert(entry.width == 0 ? 256 : entry.width);
      if (entry.width == 32) {
        EXPECT_EQ(entry.bits, icon == 1 ? 4 : 8) << icon;
      }
    }
    // A scale, and whether an image is drawn at exactly its sizes.
    for (auto [percent, exact] : {std::pair{100, true},
                                  {125, true},
                                  {150, true},
                                  {175, false},
                                  {200, true},
                                  {225, false},
                                  {250, false},
                                  {300, false}}) {
      for (int side : {32, 16}) {
        const int size = side * percent / 100;
        EXPECT_TRUE(exact ? sizes.count(size) == 1 : sizes.lower_bound(size) != sizes.end())
            << icon << " at " << percent << "%";
      }
    }
  }
  ::FreeLibrary(module);
}

}  // namespace
