// Loading the three settings from the emulator's file, and saving them back into it.
#include "settings/modQuimbel.h"

#include <memory>
#include <new>

#include "settings/setting_lines.h"

namespace modQuimbel {

std::string gDebugMenu;
std::string gSound;
std::string gBiosPath;

namespace {

using platform::IOMode;
using platform::RuntimeError;
using settings::LineKind;

SettingsHost* gHost = nullptr;
platform::FileSystem* gFiles = nullptr;

// Input past the end of a file skips the step that met it; anything else
// goes on to the caller.
template <class Step>
bool ResumeOnPastEnd(Step step) {
  try {
    step();
    return true;
  } catch (const RuntimeError& e) {
    if (e.Number() != platform::kPastEndOfFile) throw;
    return false;
  }
}

void ApplyLoadedLine(const std::string& line) {
  switch (settings::Classify(line)) {
    case LineKind::kBiosRom:
      gBiosPath = settings::StoredBiosPath(line);
      break;
    case LineKind::kSoundEnable: {
      std::string value = settings::SwitchValue(line);
      if (!value.empty()) gSound = value;
      break;
    }
    case LineKind::kDebugMenuEnable: {
      std::string value = settings::SwitchValue(line);
      if (!value.empty()) gDebugMenu = value;
      break;
    }
    case LineKind::kOther:
      break;
  }
}

void ReadSettingsFile() {
  platform::FileSystem& files = *gFiles;
  const platform::Path path = files.AppFolder() / kSettingsFileName;
  if (!files.FileExists(path)) {
    ReportMissingSettingsFile();
    return;
  }
  std::unique_ptr<platform::TextStream> stream;
  try {
    ResumeOnPastEnd([&] { stream = files.OpenTextFile(path, IOMode::kForReading, false); });
  } catch (const RuntimeError& e) {
    // Removed by another program since the test above: as if it had never
    // been there. Opening with the create flag would leave an empty file
    // for the emulator to read its settings from.
    if (e.Number() != platform::kFileNotFound) throw;
    ReportMissingSettingsFile();
    return;
  }
  if (!stream) return;
  std::string line;
  for (;;) {
    bool atEnd = true;
    ResumeOnPastEnd([&] { atEnd = stream->AtEndOfStream(); });
    if (atEnd) break;
    // A failed read keeps the current line; the stream has nothing more to
    // give, so stop after it rather than ask again for ever.
    bool read = ResumeOnPastEnd([&] { stream->ReadLineInto(line); });
    ApplyLoadedLine(line);
    if (!read) break;
  }
  ResumeOnPastEnd([&] { stream->Close(); });
}

// Turns a line as read into the line to write; most lines stay as they are.
void RewriteLine(std::string& line) {
  switch (settings::Classify(line)) {
    case LineKind::kBiosRom: {
      gBiosPath = settings::StoredBiosPath(line);
      std::string typed = gHost->BiosText();
      settings::CheckBiosPath(typed);
      line = settings::BiosLine(line, typed);
      break;
    }
    case LineKind::kSoundEnable:
      gSound = gHost->SoundCheck() == 1 ? "1" : "0";
      line = settings::SwitchLine(LineKind::kSoundEnable, gSound == "1");
      break;
    case LineKind::kDebugMenuEnable:
      gDebugMenu = gHost->DebugMenuCheck() == 1 ? "1" : "0";
      line = settings::SwitchLine(LineKind::kDebugMenuEnable, gDebugMenu == "1");
      break;
    case LineKind::kOther:
      break;
  }
}

}  // namespace

void Bind(SettingsHost& host, platform::FileSystem& files) {
  gHost = &host;
  gFiles = &files;
}

void ReportMissingSettingsFile() {
  gHost->MsgBox(
      "Cannot find QuimbelAdvance.ini file.\r\n\r\n"
      "Extract QuimbelAdvance.exe and run it at least once before using this utility.",
      kStyleCritical, kMessageTitle);
}

void LoadSettings() {
  try {
    try {
      ReadSettingsFile();
    } catch (const std::bad_alloc&) {
      throw RuntimeError(platform::kOutOfMemory);
    }
  } catch (const RuntimeError& e) {
    gHost->MsgBox("A severe problem occured.\r\nNumber " + std::to_string(e.Number()) +
                      "\r\nDescription " + e.Description(),
                  kStyleCritical, kMessageTitle);
    gHost->EndProgram();
  }
}

void SaveSettings() {
  platform::FileSystem& files = *gFiles;
  const platform::Path folder = files.AppFolder();
  const platform::Path settingsPath = folder / kSettingsFileName;
  const platform::Path tempPath = folder / kTempFileName;

  std::unique_ptr<platform::TextStream> in;
  try {
    // Never create the file: an empty one would lose the emulator's settings.
    in = files.OpenTextFile(settingsPath, IOMode::kForReading, false);
  } catch (const RuntimeError& e) {
    if (e.Number() == platform::kFileNotFound) throw SettingsFileMissing();
    throw;
  }

  std::unique_ptr<platform::TextStream> out;
  try {
    out = files.OpenTextFile(tempPath, IOMode::kForWriting, true);
    std::string line;
    while (!in->AtEndOfStream()) {
      // Lines whose first byte starts no key pass in bulk; the rest one by
      // one through the line rules.
      in->CopyLinesUntil(*out, settings::kKeyFirstBytes);
      if (in->AtEndOfStream()) break;
      in->ReadLineInto(line);
      RewriteLine(line);
      out->WriteLine(line);
    }
    out->Commit();
    in->Close();
    out->Close();
    files.ReplaceFile(tempPath, settingsPath);
  } catch (...) {
    const bool tempOpened = out != nullptr;
    out.reset();
    in.reset();
    if (tempOpened) {
      try {
        files.DeleteFile(tempPath);
      } catch (const RuntimeError&) {
        // The save's own error is the one to report.
      }
    }
    try {
      throw;
    } catch (const std::bad_alloc&) {
      throw RuntimeError(platform::kOutOfMemory);
    }
  }
  gHost->SetSaveButton("Saved", false);
}

}  // namespace modQuimbel
