// The "Run" tab's "&Ok": start the emulator, exit, or both.
#include "window/frmQuimbel.h"

namespace window {

namespace {

constexpr const char* kEmulatorName = "QuimbelAdvance.exe";

// Starts the emulator; a failure is shown and the program goes on, since
// nothing was started that an exit could leave behind. A refusal the system
// gives a reason for says it of the emulator.
bool StartEmulator(FormView& view, platform::ProcessStarter& processes, const platform::Path& exe) {
  std::optional<platform::RuntimeError> failure;
  try {
    processes.Start(exe);
    return true;
  } catch (const platform::StartRefused& e) {
    failure = platform::RuntimeError::WithDetail(
        e.Number(), e.why == platform::StartRefused::kElevationRefused
                        ? "the emulator asks for administrator rights, and they were not given"
                        : "the emulator's path is longer than the 259 characters Windows can "
                          "start a program from");
  } catch (const platform::RuntimeError& e) {
    failure = e;
  }
  view.MsgBox(FailureMessage("The emulator could not be started.", *failure),
              modQuimbel::kStyleCritical, modQuimbel::kMessageTitle);
  return false;
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
