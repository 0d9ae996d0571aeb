// The three emulator settings this program edits, and the two routines that
// move them between the emulator's settings file and the main window.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/rt_error.h"

namespace modQuimbel {

// "1", "0", or empty while no line of that setting has been seen.
extern std::string gDebugMenu;
extern std::string gSound;
// The BIOS path as the file held it.
extern std::string gBiosPath;

inline constexpr const char* kSettingsFileName = "QuimbelAdvance.ini";
inline constexpr const char* kTempFileName = "temp.ini";
inline constexpr const char* kMessageTitle = "Quimbel Advance starter";
inline constexpr int kStyleCritical = 16;     // stop icon, OK button
inline constexpr int kStyleInformation = 64;  // information icon, OK button

// What the settings routines need of the main window.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  // A modal message box; returns when the user has closed it.
  virtual void MsgBox(const std::string& text, int style, const std::string& title) = 0;
  // Ends the program at once. The real window never returns from it.
  virtual void EndProgram() = 0;
  // Check box values: 1 checked, 0 unchecked.
  virtual int DebugMenuCheck() = 0;  // Check1
  virtual int SoundCheck() = 0;      // Check2
  // The text of txtBios in the system's code page, which the settings file is
  // written in. Throws RuntimeError 5 when the text holds a character the code
  // page cannot store.
  virtual std::string BiosText() = 0;
  virtual void SetSaveButton(const std::string& caption, bool enabled) = 0;
};

// Binds the routines to the one main window and the file service.
void Bind(SettingsHost& host, platform::FileSystem& files);

// A save found no settings file; nothing was created or written.
class SettingsFileMissing : public platform::RuntimeError {
 public:
  SettingsFileMissing() : RuntimeError(platform::kFileNotFound) {}
};

// Reads the three settings from the file. A missing file is reported and
// leaves the settings as they were; any other failure is reported and ends
// the program.
void LoadSettings();

// Writes the window's values into the file's three setting lines through a
// temporary file that then replaces the settings file in one step. On any
// failure the settings file is unchanged, the temporary file is deleted (it
// stays only if deleting it fails too), and the error (SettingsFileMissing
// when there is no file) passes to the caller.
void SaveSettings();

// The message shown when the settings file is missing.
void ReportMissingSettingsFile();

}  // namespace modQuimbel
