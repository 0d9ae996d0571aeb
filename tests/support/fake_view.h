// The main window's controls as plain values, for testing its handlers.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/rt_error.h"
#include "support/fake_host.h"
#include "window/frmQuimbel.h"

namespace testing_support {

// Also the process service the handlers start the emulator through.
class FakeView : public window::FormView, public platform::ProcessStarter {
 public:
  FakeView() {
    for (const auto& entry : window::kControls) {
      text[entry.id] = std::string(entry.text);
      enabled[entry.id] = true;
      visible[entry.id] = true;
    }
  }

  int Value(window::Ctl id) override { return value[id]; }
  void SetValue(window::Ctl id, int v) override { value[id] = v; }
  std::string Text(window::Ctl id) override { return text[id]; }
  void SetText(window::Ctl id, const std::string& utf8) override {
    text[id] = utf8;
    if (id == window::Ctl::txtBios && form) form->txtBios_Change();  // as the edit control does
  }
  void SetEnabled(window::Ctl id, bool e) override { enabled[id] = e; }
  void SetVisible(window::Ctl id, bool v) override { visible[id] = v; }
  void MsgBox(const std::string& t, int style, const std::string& title) override {
    messages.push_back({t, style, title});
  }
  void EndProgram() override { ended = true; }
  void Start(const platform::Path& path) override {
    if (startFailure) startFailure();
    started.push_back(path);
  }
  void ShowReadme(const std::string& t) override { readmes.push_back(t); }
  void SelectPage(int p) override { page = p; }
  void ShowBiosTip(const std::string& t) override { tip = t; }
  void HideBiosTip() override { tip.clear(); }

  window::frmQuimbel* form = nullptr;
  std::map<window::Ctl, int> value;
  std::map<window::Ctl, std::string> text;
  std::map<window::Ctl, bool> enabled;
  std::map<window::Ctl, bool> visible;
  std::vector<ShownMessage> messages;
  bool ended = false;
  std::function<void()> startFailure;  // throws what the system answers
  std::vector<platform::Path> started;
  std::vector<std::string> readmes;
  int page = 0;
  std::string tip;  // the balloon tip shown, empty for none
};

}  // namespace testing_support
