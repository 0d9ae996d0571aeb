// Building the table's controls, placing them, and keeping their state.
#include "window/win32/control_set.h"

#include <commctrl.h>

#include <utility>

#include "window/win32/containers.h"
#include "window/win32/win32_util.h"

namespace win32 {

using window::Ctl;
using window::Kind;

namespace {

struct ClassAndStyle {
  const wchar_t* cls;
  DWORD style;
  DWORD exStyle;
};

// What a control's kind makes of it; the table's traits add the rest.
ClassAndStyle ClassFor(const window::ControlSpec& entry) {
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  const DWORD clicks = (entry.traits & window::kClicks) ? SS_NOTIFY : 0;
  switch (entry.kind) {
    case Kind::kTabControl:
      return {WC_TABCONTROLW,
              child | WS_CLIPCHILDREN | WS_TABSTOP | TCS_FIXEDWIDTH | TCS_FOCUSONBUTTONDOWN,
              WS_EX_CONTROLPARENT};
    case Kind::kFrame:
      return {WC_BUTTONW, child | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case Kind::kPicture:
      return {WC_STATICW, child | WS_CLIPCHILDREN | SS_OWNERDRAW | clicks, WS_EX_CONTROLPARENT};
    case Kind::kLabel:
      return {WC_STATICW, child | SS_LEFT | clicks, 0};
    case Kind::kOption:
      return {WC_BUTTONW,
              child | WS_TABSTOP | BS_AUTORADIOBUTTON |
                  ((entry.traits & window::kGroupStart) ? WS_GROUP : 0u),
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

// The text box that shares a naming label's container.
const window::ControlSpec* NamedBox(const window::ControlSpec& label) {
  for (const auto& entry : window::kControls) {
    if (entry.parent == label.parent && entry.kind == Kind::kTextBox) return &entry;
  }
  return nullptr;
}

// A naming label lies above its box, so it shows only outside the box: its
// window is cut there, as the box covered it when it lay beneath.
void CutLabel(HWND label, const window::ControlSpec& entry, UINT dpi) {
  const window::ControlSpec* box = NamedBox(entry);
  if (!box) return;
  auto rectOf = [dpi](const window::ControlSpec& e) {
    const int left = Px(e.left, dpi), top = Px(e.top, dpi);
    return RECT{left, top, left + Px(e.width, dpi), top + Px(e.height, dpi)};
  };
  const RECT own = rectOf(entry), other = rectOf(*box);
  RECT overlap;
  if (!::IntersectRect(&overlap, &own, &other)) return;
  platform::UniqueRegion region(::CreateRectRgn(0, 0, own.right - own.left, own.bottom - own.top));
  const platform::UniqueRegion cut(::CreateRectRgn(overlap.left - own.left, overlap.top - own.top,
                                                   overlap.right - own.left,
                                                   overlap.bottom - own.top));
  ::CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
  // The window owns the region once it takes it.
  if (::SetWindowRgn(label, region.Get(), TRUE)) region.Release();
}

// The tab page a control belongs to, through its containers; kNoPage for
// the tab control itself.
int PageOf(const window::ControlSpec& entry) {
  if (entry.page != window::kNoPage || entry.parent == Ctl::kForm) return entry.page;
  return PageOf(window::LayoutOf(entry.parent));
}

}  // namespace

void ControlSet::Attach(HWND window, MadeHandler onMade) {
  window_ = window;
  onMade_ = std::move(onMade);
}

std::size_t ControlSet::IndexOf(const window::ControlSpec& entry) {
  return static_cast<std::size_t>(&entry - window::kControls.data());
}
std::size_t ControlSet::IndexOf(Ctl id) {
  return IndexOf(window::LayoutOf(id));
}

HWND ControlSet::Get(Ctl id) const {
  if (id == Ctl::kForm) return window_;
  const window::ControlSpec* entry = window::FindControl(id);
  return entry ? records_[IndexOf(*entry)].window : nullptr;
}

void ControlSet::Make(const window::ControlSpec& entry, UINT dpi, const WindowFonts& fonts) {
  Record& record = records_[IndexOf(entry)];
  ClassAndStyle cs = ClassFor(entry);
  if (!record.hidden) cs.style |= WS_VISIBLE;
  const std::wstring caption = platform::Widen(record.text ? *record.text : entry.text);
  HWND control =
      CreateWindowOrThrow(cs.exStyle, cs.cls, caption.c_str(), cs.style, Px(entry.left, dpi),
                          Px(entry.top, dpi), Px(entry.width, dpi), Px(entry.height, dpi),
                          Get(entry.parent), reinterpret_cast<HMENU>(entry.id));
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(entry)), FALSE);
  // The user may type or paste a path of any length: by default an edit
  // control takes at most 32,767 typed characters (Wine's 30,000), and text
  // set longer than that takes no more typing.
  if (entry.kind == Kind::kTextBox) ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  if (record.value == 1) ::SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  if (record.enabled) ::EnableWindow(control, *record.enabled ? TRUE : FALSE);
  if (entry.traits & window::kNamesTextBox) CutLabel(control, entry, dpi);
  record.window = control;
  if (cs.exStyle & WS_EX_CONTROLPARENT) HandChildrenTo(control, entry.kind, window_);
  if (onMade_) onMade_(entry);
}

void ControlSet::MakePage(int page, UINT dpi, const WindowFonts& fonts) {
  bool made = false;
  for (const auto& entry : window::kControls) {
    if (PageOf(entry) != page || Get(entry.id)) continue;
    Make(entry, dpi, fonts);
    made = true;
  }
  if (!made) return;
  // The table says which controls stay on top, and which label lies right
  // above the box it names, whenever they were made.
  constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  for (const auto& entry : window::kControls) {
    HWND control = Get(entry.id);
    if (!control) continue;
    if (entry.traits & window::kOnTop) ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, kKeep);
    if (entry.traits & window::kNamesTextBox) {
      const window::ControlSpec* box = NamedBox(entry);
      if (HWND boxWindow = box ? Get(box->id) : nullptr)
        ::SetWindowPos(boxWindow, control, 0, 0, 0, 0, kKeep);  // right after the label
    }
  }
}

void ControlSet::ShowPage(int page, UINT dpi, const WindowFonts& fonts) {
  // A page's controls are made when it first shows, not while a picture
  // covers it.
  bool covered = false;
  for (const auto& entry : window::kControls) {
    covered = covered || (entry.kind == Kind::kPicture && entry.page == page && Shown(entry.id));
  }
  if (!covered) MakePage(page, dpi, fonts);
  HWND focus = ::GetFocus();
  for (const auto& entry : window::kControls) {
    HWND control = Get(entry.id);
    if (entry.page == window::kNoPage || !control) continue;
    const bool show = Shown(entry.id) && entry.page == page;
    ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
    // The focus leaves a page that goes for the tab control that holds it.
    if (!show && focus && (focus == control || ::IsChild(control, focus)))
      ::SetFocus(Get(entry.parent));
  }
}

void ControlSet::Place(UINT dpi, const WindowFonts& fonts) {
  for (const auto& entry : window::kControls) {
    HWND control = Get(entry.id);
    if (!control) continue;
    ::SetWindowPos(control, nullptr, Px(entry.left, dpi), Px(entry.top, dpi), Px(entry.width, dpi),
                   Px(entry.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    if (entry.traits & window::kNamesTextBox) CutLabel(control, entry, dpi);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(entry)), TRUE);
  }
}

int ControlSet::Value(Ctl id) {
  HWND control = Get(id);
  if (!control) return records_[IndexOf(id)].value;
  return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void ControlSet::SetValue(Ctl id, int value) {
  if (HWND control = Get(id)) {
    ::SendMessageW(control, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  } else {
    records_[IndexOf(id)].value = value;
  }
}

std::string ControlSet::Text(Ctl id) {
  if (HWND control = Get(id)) return WindowText(control);
  const Record& record = records_[IndexOf(id)];
  return record.text ? *record.text : std::string(window::LayoutOf(id).text);
}

void ControlSet::SetText(Ctl id, const std::string& utf8) {
  if (HWND control = Get(id)) {
    ::SetWindowTextW(control, platform::Widen(utf8).c_str());
  } else {
    records_[IndexOf(id)].text = utf8;
  }
}

void ControlSet::SetEnabled(Ctl id, bool enabled) {
  if (HWND control = Get(id)) {
    ::EnableWindow(control, enabled ? TRUE : FALSE);
  } else {
    records_[IndexOf(id)].enabled = enabled;
  }
}

bool ControlSet::Shown(Ctl id) const {
  return !records_[IndexOf(id)].hidden;
}

void ControlSet::SetShown(Ctl id, bool shown) {
  records_[IndexOf(id)].hidden = !shown;
}

}  // namespace win32
