// The dialog font that fits the fixed boxes, and the tab captions' font.
#include "window/win32/fonts.h"

#include "window/form_layout.h"
#include "window/win32/win32_util.h"

namespace win32 {
namespace {

platform::UniqueFont Create(const wchar_t* face, int tenthsOfPoint, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(tenthsOfPoint, static_cast<int>(dpi), 720);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return platform::UniqueFont(::CreateFontIndirectW(&lf));
}

// Whether every fixed caption of the main window fits its box in `font`.
bool CaptionsFit(HFONT font, UINT dpi) {
  platform::UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
  HDC dc = memory.Get();
  HGDIOBJ old = ::SelectObject(dc, font);
  bool fit = true;
  for (const auto& entry : window::kControls) {
    if (entry.text.empty() || (entry.traits & window::kWraps)) continue;
    std::wstring text = platform::Widen(entry.text);
    RECT rc{};
    ::DrawTextW(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    fit = fit && rc.right <= CaptionRoom(entry, dpi) && rc.bottom <= Px(entry.height, dpi);
  }
  ::SelectObject(dc, old);
  return fit;
}

}  // namespace

int CaptionRoom(const window::ControlSpec& entry, UINT dpi) {
  int room = Px(entry.width, dpi);
  if (entry.kind == window::Kind::kCheck || entry.kind == window::Kind::kOption) {
    room -= ::MulDiv(13 + 4, static_cast<int>(dpi), 96);  // the box or circle and its gap
  } else if (entry.kind == window::Kind::kCommand) {
    room -= ::MulDiv(8, static_cast<int>(dpi), 96);  // the button's edges
  }
  return room;
}

platform::UniqueFont CreateDialogFont(UINT dpi) {
  // Tahoma 8 pt fits the boxes on Windows; a wider Tahoma (Wine's) is taken
  // a half point smaller at a time until every caption shows whole.
  for (int tenths = 80; tenths > 60; tenths -= 5) {
    platform::UniqueFont font = Create(L"Tahoma", tenths, dpi);
    if (CaptionsFit(font.Get(), dpi)) return font;
  }
  return Create(L"Tahoma", 60, dpi);
}

platform::UniqueFont CreateTabFont(UINT dpi) {
  return Create(platform::Widen(window::kTabFontFace).c_str(), window::kTabFontTenthsOfPoint, dpi);
}

bool FontsMayHaveChanged(WPARAM wp, LPARAM lp) {
  switch (wp) {
    case SPI_SETNONCLIENTMETRICS:
    case SPI_SETICONTITLELOGFONT:
    case SPI_SETICONMETRICS:
    case SPI_SETFONTSMOOTHING:
    case SPI_SETFONTSMOOTHINGTYPE:
    case SPI_SETFONTSMOOTHINGCONTRAST:
      return true;
    case 0:
      // A change that names nothing, or the metrics by their section.
      return lp == 0 || ::lstrcmpiW(reinterpret_cast<LPCWSTR>(lp), L"WindowMetrics") == 0;
    default:
      return false;
  }
}

}  // namespace win32
