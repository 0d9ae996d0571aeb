// frmQuimbel as a real Win32 window: routes the system's messages and its
// controls' notifications to the handlers, and is the FormView those
// handlers work through.
#pragma once

#include <windows.h>

#include <wrl/client.h>

#include <memory>

#include "platform/process.h"
#include "window/frmQuimbel.h"
#include "window/win32/bios_tip.h"
#include "window/win32/control_set.h"
#include "window/win32/file_drop.h"
#include "window/win32/fonts.h"
#include "window/win32/readme_window.h"
#include "window/win32/splash.h"
#include "window/win32/win32_util.h"

namespace win32 {

class MainWindow final : public BaseWindow<MainWindow>, public window::FormView {
 public:
  MainWindow(HWND owner, platform::FileSystem& files, platform::ProcessStarter& processes);

  // Creates the window and its controls, runs the load handler, then shows
  // the window centred on the screen with the focus on the tab control.
  void Open();

  // Keyboard handling that must come before the dialog manager's: the focus
  // follows the window's own keyboard order. True when the message is used.
  bool PreTranslate(const MSG& msg);

  // FormView
  int Value(window::Ctl id) override { return controls_.Value(id); }
  void SetValue(window::Ctl id, int value) override { controls_.SetValue(id, value); }
  std::string Text(window::Ctl id) override { return controls_.Text(id); }
  void SetText(window::Ctl id, const std::string& utf8) override { controls_.SetText(id, utf8); }
  void SetEnabled(window::Ctl id, bool enabled) override;
  void SetVisible(window::Ctl id, bool visible) override;
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  [[noreturn]] void EndProgram() override;
  void ShowReadme(const std::string& text) override;
  void SelectPage(int page) override;
  void ShowBiosTip(const std::string& text) override;
  void HideBiosTip() override;

 private:
  friend class BaseWindow<MainWindow>;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(window::Ctl id, UINT code);
  LRESULT OnColor(HDC dc, HWND control);
  void CreateControls();
  void OnControlMade(const window::ControlSpec& entry);
  void FinishStart();
  void EnsureOle();
  void AddTooltip(const window::ControlSpec& entry);
  void AddPathCompletion(HWND box);
  void UnthemeTabs();
  void SizeTabs();
  void Layout(const POINT* origin);
  void ShowCurrentPage();
  void MoveFocus(bool backwards);
  HWND Control(window::Ctl id) const { return controls_.Get(id); }

  HWND owner_;
  platform::FileSystem& files_;
  window::frmQuimbel form_;
  ControlSet controls_;
  UINT dpi_ = 96;
  WindowFonts fonts_;
  WindowIcons icons_;                     // for a DPI other than the system's; the class has those
  std::unique_ptr<ReadmeWindow> readme_;  // while open; it may outlive hwnd_
  Splash splash_;
  BiosTip biosTip_;
  HWND tooltip_ = nullptr;  // the text box's hover tip, made once the window is idle
  bool oleReady_ = false;
  Microsoft::WRL::ComPtr<FileDropTarget> dropTarget_;
};

}  // namespace win32
