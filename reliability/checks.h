// The reliability checks. Each returns one row of figures; `ok` is false
// when a figure breaks the rule: after any failure or kill the settings file
// holds its old content or its new content, never anything else, and every
// line but the three setting lines is unchanged byte for byte.
#pragma once

#include <string>

#include "support/fake_host.h"

namespace reliability {

struct Row {
  std::string check;
  std::string figures;
  bool ok;
};

// A settings file of about `bytes` bytes: emulator lines around the three
// setting lines, CR LF ends.
std::string SampleSettings(std::size_t bytes);

Row FaultAtEveryStep();
Row KillDuringSave(const std::string& self, int kills);
Row PowerLoss();
Row Refusals();

// The two sets of values the kill checks' saves alternate between.
void AlternateValues(testing_support::FakeSettingsHost& host, bool second);

// The child of KillDuringSave: saves in `folder` for ever, alternating values.
[[noreturn]] void SaveForever(const std::string& folder);

}  // namespace reliability
