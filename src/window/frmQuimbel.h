// The main window's behaviour: what each of its events does. It reaches the
// real controls, message boxes and the end of the program through FormView,
// so it runs in native tests against a fake.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/process.h"
#include "settings/modQuimbel.h"
#include "window/form_layout.h"

namespace window {

class FormView {
 public:
  virtual ~FormView() = default;
  // Check boxes and option buttons: 1 checked or selected, 0 not.
  virtual int Value(Ctl id) = 0;
  virtual void SetValue(Ctl id, int value) = 0;
  virtual std::string Text(Ctl id) = 0;  // UTF-8
  virtual void SetText(Ctl id, const std::string& utf8) = 0;
  virtual void SetEnabled(Ctl id, bool enabled) = 0;
  virtual void SetVisible(Ctl id, bool visible) = 0;
  // A modal message box (texts in UTF-8); returns when it is closed.
  virtual void MsgBox(const std::string& text, int style, const std::string& title) = 0;
  // Ends the program at once; the real window never returns from it.
  virtual void EndProgram() = 0;
  // Opens the read-me window, or brings it to the front, with this text.
  virtual void ShowReadme(const std::string& text) = 0;
  // Makes tab `page` current (0 Run, 1 Options, 2 Info), as a click on it.
  virtual void SelectPage(int page) = 0;
  // A balloon tip at the BIOS text box, titled "GBA BIOS", or none.
  virtual void ShowBiosTip(const std::string& text) = 0;
  virtual void HideBiosTip() = 0;
};

class frmQuimbel : public modQuimbel::SettingsHost {
 public:
  frmQuimbel(FormView& view, platform::FileSystem& files, platform::ProcessStarter& processes)
      : view_(view), files_(files), processes_(processes) {}

  void Form_Load();
  void Check1_Click() { view_.SetEnabled(Ctl::cmdSaveSettings, true); }
  void Check2_Click() { view_.SetEnabled(Ctl::cmdSaveSettings, true); }
  void txtBios_Change();
  void cmdSaveSettings_Click();
  void Timer1_Timer() { HideSplash(); }
  void Picture1_Click() { HideSplash(); }
  void Label2_Click() { HideSplash(); }
  void Command1_Click();
  void cmdReadme_Click();
  // Files dropped on the window (UTF-8 paths): one file fills the BIOS box.
  void Form_FilesDropped(const std::vector<std::string>& paths);

  // What the settings routines need of this window.
  void MsgBox(const std::string& text, int style, const std::string& title) override {
    view_.MsgBox(text, style, title);
  }
  void EndProgram() override { view_.EndProgram(); }
  int DebugMenuCheck() override { return view_.Value(Ctl::Check1); }
  int SoundCheck() override { return view_.Value(Ctl::Check2); }
  std::string BiosText() override;
  void SetSaveButton(const std::string& caption, bool enabled) override;

 private:
  void HideSplash();
  // A word, when what a path names is no BIOS image.
  void AdviseOnBiosPath(const platform::PathInfo& info);
  // A BIOS path as shown (UTF-8) and, converted once, what the file stores.
  struct BiosEntry {
    std::string text;
    std::optional<std::string> bytes;
    std::optional<platform::RuntimeError> refusal;  // when there are no bytes
  };
  BiosEntry Entry(const std::string& text) const;

  FormView& view_;
  platform::FileSystem& files_;
  platform::ProcessStarter& processes_;
  // The BIOS path as the file held it at start, and as the box showed it.
  std::string loadedBiosBytes_;
  std::string loadedBiosText_;
  BiosEntry saving_;  // the box as the save being made read it
};

// The twelve lines of the read-me window, joined by CR LF.
std::string ReadmeText();

// "<what failed>" CR LF "Number n" CR LF "Description d", for failures that
// the user can read and the program survives.
std::string FailureMessage(const std::string& what, const platform::RuntimeError& error);

}  // namespace window
