// Every caption shows whole in its fixed box, with the fonts the window
// uses, at 96 and at 144 DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/find_control.h"
#include "window/credits.h"
#include "window/form_layout.h"
#include "window/win32/fonts.h"
#include "window/win32/win32_util.h"

namespace {

SIZE TextSize(HFONT font, const std::wstring& text, int wrapWidth) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT rc{0, 0, wrapWidth, 0};
  UINT flags = DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  ::DrawTextW(dc, text.c_str(), -1, &rc, flags);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

TEST(CaptionFit, EveryCaptionFitsItsBox) {
  for (UINT dpi : {96u, 144u}) {
    const platform::UniqueFont owned = win32::CreateDialogFont(dpi);
    HFONT font = owned.Get();
    LOGFONTW chosen{};
    ::GetObjectW(font, sizeof chosen, &chosen);
    // Never larger than the 8 pt the boxes were made for, nor much smaller.
    EXPECT_GE(-chosen.lfHeight, ::MulDiv(65, static_cast<int>(dpi), 720));
    EXPECT_LE(-chosen.lfHeight, ::MulDiv(80, static_cast<int>(dpi), 720));
    for (const auto& entry : window::kControls) {
      if (entry.text.empty() || entry.id == window::Ctl::lblCopyRight) continue;
      const std::wstring text = platform::Widen(entry.text);
      const int height = testing_support::Px(entry.height, dpi);
      SIZE size = TextSize(font, text, 0);
      EXPECT_LE(size.cx, win32::CaptionRoom(entry, dpi)) << entry.name << " at " << dpi << " DPI";
      EXPECT_LE(size.cy, height) << entry.name << " at " << dpi << " DPI";
    }
  }
}

TEST(CaptionFit, CreditsAndTabCaptionsFit) {
  for (UINT dpi : {96u, 144u}) {
    const platform::UniqueFont font = win32::CreateDialogFont(dpi);
    const auto& credits = window::LayoutOf(window::Ctl::lblCopyRight);
    SIZE size = TextSize(font.Get(), platform::Widen(window::kCreditText),
                         testing_support::Px(credits.width, dpi));
    EXPECT_LE(size.cy, testing_support::Px(credits.height, dpi)) << dpi;

    const platform::UniqueFont tabFont = win32::CreateTabFont(dpi);
    const int tabWidth = testing_support::Px(window::LayoutOf(window::Ctl::SSTab1).width, dpi) / 3 -
                         testing_support::Px(60, dpi);
    for (auto caption : window::kPageCaptions) {
      EXPECT_LE(TextSize(tabFont.Get(), platform::Widen(caption), 0).cx, tabWidth - 12) << dpi;
    }
  }
}

}  // namespace
