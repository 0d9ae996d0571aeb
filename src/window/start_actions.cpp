// The "Run" tab's "&Ok": start the emulator, exit, or both.
#include "window/frmQuimbel.h"

namespace window {

namespace {

constexpr const char* kEmulatorName = "QuimbelAdvance.exe";

// Starts the emulator; a failure is shown and the program goes on, since
// nothing was started that an exit could leave behind.
bool StartEmulator(FormView& view, platform::ProcessStarter& processes, const platform::Path& exe) {
  try {
    processes.Start(exe);
    return true;
  } catch (const platform::RuntimeError& e) {
    view.MsgBox(FailureMessage("The emulator could not be started.", e), modQuimbel::kStyleCritical,
                modQuimbel::kMessageTitle);
    return false;
  }
}

}  // namespace

void frmQuimbel::Command1_Click() {
  const platform::Path exe = files_.AppFolder() / kEmulatorName;
  // The name as stored must match exactly, letter case included.
  if (files_.FindNormalFile(exe) != kEmulatorName) {
    view_.MsgBox(
        "Couldn't find the executable QuimbelAdvance.exe\r\n"
        "in the same folder as quimbel.exe\r\n"
        "Be sure to have both executables in the same folder\r\n"
        "and start again.",
        modQuimbel::kStyleInformation, "executable not found");
    view_.EndProgram();
    return;
  }
  if (view_.Value(Ctl::Option1) == 1) StartEmulator(view_, processes_, exe);
  if (view_.Value(Ctl::Option2) == 1) {
    view_.EndProgram();
    return;
  }
  if (view_.Value(Ctl::Option3) == 1 && StartEmulator(view_, processes_, exe)) view_.EndProgram();
}

}  // namespace window
