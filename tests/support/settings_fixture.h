// A settings file in a fresh folder, the routines bound to a recording host
// and to a file service that can be told to fail.
#pragma once

#include <gtest/gtest.h>

#include "settings/modQuimbel.h"
#include "support/fake_host.h"
#include "support/fault_fs.h"
#include "support/temp_folder.h"

namespace testing_support {

class SettingsTest : public ::testing::Test {
 protected:
  explicit SettingsTest(const std::string& folderName = "quimbel-settings")
      : folder_(folderName), files_(platform::RealFileSystem(), folder_.Path()) {
    ResetSettings();
    modQuimbel::Bind(host_, files_);
  }

  fs::path SettingsPath() const { return folder_ / "QuimbelAdvance.ini"; }
  fs::path TempPath() const { return folder_ / "temp.ini"; }
  void WriteSettings(const std::string& bytes) { WriteBytes(SettingsPath(), bytes); }
  std::string Settings() const { return ReadBytes(SettingsPath()); }

  TempFolder folder_;
  FaultyFileSystem files_;
  FakeSettingsHost host_;
};

// The layout the emulator writes: key in a 25-character field, value after.
inline const char* const kBiosLine = "BIOSRom                  \"C:\\gba\\gba_bios.gba\"";

}  // namespace testing_support
