// The main window as the settings routines see it, recorded for tests.
#pragma once

#include <string>
#include <vector>

#include "settings/modQuimbel.h"

namespace testing_support {

struct ShownMessage {
  std::string text;
  int style;
  std::string title;
};

class FakeSettingsHost : public modQuimbel::SettingsHost {
 public:
  void MsgBox(const std::string& text, int style, const std::string& title) override {
    messages.push_back({text, style, title});
  }
  void EndProgram() override { ended = true; }
  int DebugMenuCheck() override { return debugMenu; }
  int SoundCheck() override { return sound; }
  std::string BiosText() override { return bios; }
  void SetSaveButton(const std::string& newCaption, bool isEnabled) override {
    caption = newCaption;
    enabled = isEnabled;
  }

  std::vector<ShownMessage> messages;
  bool ended = false;
  int debugMenu = 0;
  int sound = 0;
  std::string bios;
  std::string caption = "&Save";
  bool enabled = true;
};

// Empties the three settings, as at the program's start.
inline void ResetSettings() {
  modQuimbel::gDebugMenu.clear();
  modQuimbel::gSound.clear();
  modQuimbel::gBiosPath.clear();
}

}  // namespace testing_support
