// Showing and hiding the balloon at the BIOS box.
#include "window/win32/bios_tip.h"

#include <commctrl.h>

#include "window/win32/win32_util.h"

namespace win32 {
namespace {

constexpr UINT_PTR kTool = 1;

TOOLINFOW Tool(HWND owner) {
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = owner;
  info.uId = kTool;
  return info;
}

}  // namespace

void BiosTip::Show(HWND box, const std::string& text, HFONT font, UINT dpi) {
  TOOLINFOW info = Tool(owner_);
  std::wstring wide = platform::Widen(text);
  info.lpszText = wide.data();
  if (!tip_) {
    tip_ = CreateWindowOrThrow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_);
    ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  Hide();
  ::SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageW(tip_, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(L"GBA BIOS"));
  RECT rc;
  ::GetWindowRect(box, &rc);
  // No wider than the box it points at.
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, rc.right - rc.left);
  ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  ::SendMessageW(tip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM((rc.left + rc.right) / 2, rc.bottom - Px(60, dpi)));
  ::SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  shown_ = true;
}

void BiosTip::Hide() {
  if (!tip_ || !shown_) return;
  TOOLINFOW info = Tool(owner_);
  ::SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  shown_ = false;
}

}  // namespace win32
