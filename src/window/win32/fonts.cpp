#include "window/win32/fonts.h"

#include "window/form_layout.h"
#include "window/win32/win32_util.h"

namespace win32 {
namespace {

HFONT Create(const wchar_t* face, int tenthsOfPoint, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(tenthsOfPoint, static_cast<int>(dpi), 720);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return ::CreateFontIndirectW(&lf);
}

}  // namespace

HFONT CreateDialogFont(UINT dpi) {
  return Create(L"Tahoma", 80, dpi);
}

HFONT CreateTabFont(UINT dpi) {
  return Create(Widen(window::kTabFontFace).c_str(), window::kTabFontTenthsOfPoint, dpi);
}

}  // namespace win32
