// The main window's event handlers, but for "&Ok" (start_actions.cpp), and what the
// settings routines ask of the window.
#include "window/frmQuimbel.h"

#include "platform/codepage.h"
#include "window/bios_check.h"
#include "window/credits.h"

namespace window {

std::string FailureMessage(const std::string& what, const platform::RuntimeError& error) {
  return what + "\r\nNumber " + std::to_string(error.Number()) + "\r\nDescription " +
         error.Description();
}

void frmQuimbel::Form_Load() {
  modQuimbel::LoadSettings();
  if (modQuimbel::gSound == "1") {
    view_.SetValue(Ctl::Check2, 1);
  } else if (modQuimbel::gSound == "0") {
    view_.SetValue(Ctl::Check2, 0);
  }
  if (modQuimbel::gDebugMenu == "1") {
    view_.SetValue(Ctl::Check1, 1);
  } else if (modQuimbel::gDebugMenu == "0") {
    view_.SetValue(Ctl::Check1, 0);
  }
  loadedBiosBytes_ = modQuimbel::gBiosPath;
  loadedBiosText_ = platform::FromCodePage(loadedBiosBytes_);
  view_.SetText(Ctl::txtBios, loadedBiosText_);
  // Setting the controls above counts as editing them; the window opens
  // with nothing to save.
  view_.SetEnabled(Ctl::cmdSaveSettings, false);
  view_.SetText(Ctl::lblCopyRight, std::string(kCreditText));
}

void frmQuimbel::txtBios_Change() {
  view_.HideBiosTip();
  view_.SetEnabled(Ctl::cmdSaveSettings, true);
}

void frmQuimbel::cmdSaveSettings_Click() {
  // The box is read and converted once a save: the save stores this, and
  // the word after it is about the same path.
  saving_ = Entry(view_.Text(Ctl::txtBios));
  // A failed save leaves the file as it was and the edits in the window, so
  // the user can mend the cause and save again.
  try {
    modQuimbel::SaveSettings();
  } catch (const modQuimbel::SettingsFileMissing&) {
    modQuimbel::ReportMissingSettingsFile();
    return;
  } catch (const platform::RuntimeError& e) {
    view_.MsgBox(FailureMessage("The settings could not be saved.", e), modQuimbel::kStyleCritical,
                 modQuimbel::kMessageTitle);
    return;
  }
  // Saved as typed; a word afterwards if the path names no BIOS image. Not
  // for a path the settings file cannot hold: a file with a BIOSRom line
  // refuses it in the save, and one without never stores it.
  if (saving_.text.empty() || !saving_.bytes) return;
  AdviseOnBiosPath(files_.Inspect(platform::Path::FromUtf8(saving_.text)));
}

void frmQuimbel::AdviseOnBiosPath(const platform::PathInfo& info) {
  const std::string advice = BiosPathAdvice(info);
  if (!advice.empty()) view_.ShowBiosTip(advice);
}

void frmQuimbel::Form_FilesDropped(const std::vector<std::string>& paths) {
  // One file, as a user means it; several, or a folder, change nothing.
  if (paths.size() != 1) return;
  const platform::PathInfo info = files_.Inspect(platform::Path::FromUtf8(paths[0]));
  if (info.kind != platform::PathInfo::kFile) return;
  HideSplash();
  view_.SelectPage(1);
  view_.SetText(Ctl::txtBios, paths[0]);
  view_.SetEnabled(Ctl::cmdSaveSettings, true);  // an edit, as typing it would be
  // A path the file cannot hold gets its word from the save.
  if (Entry(paths[0]).bytes) AdviseOnBiosPath(info);
}

void frmQuimbel::HideSplash() {
  view_.SetVisible(Ctl::Picture1, false);
  view_.SetVisible(Ctl::Label2, false);
}

std::string frmQuimbel::BiosText() {
  // Asked for each BIOSRom line of the file: what the save converted.
  if (!saving_.bytes) throw *saving_.refusal;
  return *saving_.bytes;
}

frmQuimbel::BiosEntry frmQuimbel::Entry(const std::string& text) const {
  // A path shown as it was loaded is stored as the bytes it was loaded from:
  // bytes the code page cannot decode exactly (written under another one)
  // would otherwise come back changed, and the emulator lose its BIOS.
  if (text == loadedBiosText_) return {text, loadedBiosBytes_, std::nullopt};
  try {
    return {text, platform::ToCodePage(text), std::nullopt};
  } catch (const platform::CharacterNotStorable& refusal) {
    return {text, std::nullopt,
            platform::RuntimeError::WithDetail(
                refusal.Number(), "the BIOS path holds the character \"" + refusal.character +
                                      "\", which the system's code page cannot store")};
  } catch (const platform::RuntimeError& refusal) {
    return {text, std::nullopt, refusal};
  }
}

void frmQuimbel::SetSaveButton(const std::string& caption, bool enabled) {
  view_.SetText(Ctl::cmdSaveSettings, caption);
  view_.SetEnabled(Ctl::cmdSaveSettings, enabled);
}

}  // namespace window
