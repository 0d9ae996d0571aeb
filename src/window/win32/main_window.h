// frmQuimbel as a real Win32 window: builds its controls from the layout
// table, routes their notifications to the handlers, and is the FormView
// those handlers work through.
#pragma once

#include <windows.h>

#include <array>
#include <map>

#include "window/frmQuimbel.h"
#include "window/win32/win32_util.h"

namespace win32 {

class FileDropTarget;

class MainWindow final : public BaseWindow<MainWindow>, public window::FormView {
 public:
  MainWindow(HWND owner, platform::FileSystem& files);
  ~MainWindow() override;

  // Creates the window and its controls, runs the load handler, then shows
  // the window centred on the screen with the focus on the tab control.
  void Open();

  // Keyboard handling that must come before the dialog manager's: the focus
  // follows the window's own keyboard order. True when the message is used.
  bool PreTranslate(const MSG& msg);

  // FormView
  int Value(window::Ctl id) override;
  void SetValue(window::Ctl id, int value) override;
  std::string Text(window::Ctl id) override;
  void SetText(window::Ctl id, const std::string& utf8) override;
  void SetEnabled(window::Ctl id, bool enabled) override;
  void SetVisible(window::Ctl id, bool visible) override;
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  [[noreturn]] void EndProgram() override;
  void StartProgram(const platform::Path& path) override;
  void ShowReadme(const std::string& text) override;
  void SelectPage(int page) override;
  void ShowBiosTip(const std::string& text) override;
  void HideBiosTip() override;

 private:
  friend class BaseWindow<MainWindow>;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnDestroyed() {}
  void OnCommand(window::Ctl id, UINT code);
  LRESULT OnColor(HDC dc, HWND control);
  void DrawSplash(const DRAWITEMSTRUCT& item);
  void ScaleSplashToDpi();
  void CreateControls();
  void MakeControl(const window::ControlSpec& entry);
  void MakePage(int page);
  void UnthemeTabs();
  void EquipControl(const window::ControlSpec& entry);
  void FinishStart();
  void EnsureOle();
  HFONT FontFor(const window::ControlSpec& entry) const;
  void SizeTabs();
  void Layout(const POINT* origin);
  void ShowCurrentPage();
  void MoveFocus(bool backwards);
  HWND Control(window::Ctl id) const;

  HWND owner_;
  platform::FileSystem& files_;
  window::frmQuimbel form_;
  std::map<window::Ctl, HWND> controls_;
  std::map<window::Ctl, bool> shown_;  // visibility as the handlers set it
  // What the handlers set in controls not made yet.
  std::map<window::Ctl, int> values_;
  std::map<window::Ctl, std::string> texts_;
  std::map<window::Ctl, bool> enabled_;
  bool oleReady_ = false;
  HWND tooltip_ = nullptr;
  HWND biosTip_ = nullptr;  // the balloon with a word about the BIOS path
  bool biosTipShown_ = false;
  FileDropTarget* dropTarget_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT tabFont_ = nullptr;
  HBITMAP splash_ = nullptr;  // at its natural size
  SIZE splashSize_{};
  HBITMAP scaledSplash_ = nullptr;  // at dpi_, when that is not 96
  SIZE scaledSize_{};
};

}  // namespace win32
