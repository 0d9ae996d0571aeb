// What the main window leaves out of its first picture, to add once it can:
// the text box's hover tooltip once the window is idle, and OLE, for drops
// and for the BIOS box's path completion, once it may be needed.
#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>

#include "platform/system_library.h"
#include "window/win32/main_window.h"

namespace win32 {

using window::Ctl;

// What a control has beyond its window comes as soon as what it needs
// exists: its tooltip once the window is idle, path completion once OLE
// runs; and the BIOS box, which completes paths, wants OLE.
void MainWindow::OnControlMade(const window::ControlSpec& entry) {
  AddTooltip(entry);
  if (entry.kind == window::Kind::kTextBox) {
    if (oleReady_) {
      AddPathCompletion(Control(entry.id));
    } else {
      EnsureOle();
    }
  }
}

// The part of the window that the first picture does not show, the text
// box's tooltip, comes as soon as the window is shown and idle.
void MainWindow::FinishStart() {
  tooltip_ = CreateWindowOrThrow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_);
  for (const auto& entry : window::kControls) {
    if (Control(entry.id)) AddTooltip(entry);
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
  for (const auto& entry : window::kControls) {
    HWND box = Control(entry.id);
    if (box && entry.kind == window::Kind::kTextBox) AddPathCompletion(box);
  }
}

void MainWindow::AddTooltip(const window::ControlSpec& entry) {
  if (!tooltip_ || entry.tooltip.empty()) return;
  std::wstring tip = platform::Widen(entry.tooltip);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(Control(entry.id));
  info.lpszText = tip.data();
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// The system's file-system completion, as in the Run box.
void MainWindow::AddPathCompletion(HWND box) {
  const auto complete = platform::Find(platform::system_functions::SHAutoComplete);
  if (complete) complete(box, SHACF_FILESYSTEM);
}

}  // namespace win32
