// The main window's table of controls, and the keyboard order it gives.
#include "window/form_layout.h"

#include <algorithm>
#include <stdexcept>

#include "version.h"

namespace window {

namespace {
constexpr std::string_view kNoTip;
constexpr std::string_view kVersionLine =
    "version " QUIMBEL_VERSION_SHORT " - tested on Quimbel Advance 0.7+";
constexpr std::string_view kBiosTip =
    "Must be the full path where the BIOS is located. The extension must be GBA.";
}  // namespace

// clang-format off
const std::array<ControlSpec, 18> kControls = {{
  // id                  name               kind               parent        page     text                                left  top   width height tab paint               traits
  {Ctl::SSTab1,          "SSTab1",          Kind::kTabControl, Ctl::kForm,   kNoPage, "",                                  0,    0, 5175, 2415,  0, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Frame4,          "Frame4",          Kind::kFrame,      Ctl::SSTab1,  0,       "",                                120,  360, 4935, 1935,  5, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Option1,         "Option1",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Start Quimbel Advance",           240,  360, 1935,  195,  9, Paint::kDefault,    kGroupStart,      kNoTip},
  {Ctl::Option3,         "Option3",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Start Quimbel Advance and Exit",  240,  720, 2775,  195,  6, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Option2,         "Option2",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Exit",                            240, 1080,  615,  195,  8, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Command1,        "Command1",        Kind::kCommand,    Ctl::Frame4,  kNoPage, "&Ok",                            3840, 1440,  975,  375,  7, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Frame2,          "Frame2",          Kind::kFrame,      Ctl::SSTab1,  1,       "",                                120,  360, 4935, 1935, 10, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Check1,          "Check1",          Kind::kCheck,      Ctl::Frame2,  kNoPage, "Debug menu",                      240,  240, 1215,  255, 14, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Check2,          "Check2",          Kind::kCheck,      Ctl::Frame2,  kNoPage, "Sound",                           240,  600, 1455,  255, 12, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::txtBios,         "txtBios",         Kind::kTextBox,    Ctl::Frame2,  kNoPage, "",                               1080,  960, 3735,  285, 13, Paint::kDefault,    kPlain,           kBiosTip},
  {Ctl::Label1,          "Label1",          Kind::kLabel,      Ctl::Frame2,  kNoPage, "GBA BIOS",                        240,  960,  975,  255, 15, Paint::kDefault,    kNamesTextBox,    kNoTip},
  {Ctl::cmdSaveSettings, "cmdSaveSettings", Kind::kCommand,    Ctl::Frame2,  kNoPage, "&Save",                          3960, 1440,  855,  375, 11, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Frame5,          "Frame5",          Kind::kFrame,      Ctl::SSTab1,  2,       "",                                120,  360, 4935, 1935,  1, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::lblCopyRight,    "lblCopyRight",    Kind::kLabel,      Ctl::Frame5,  kNoPage, "...",                             120,  240, 4455, 1215,  4, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::Label3,          "Label3",          Kind::kLabel,      Ctl::Frame5,  kNoPage, kVersionLine,                       120, 1560, 3615,  255, 3, Paint::kDefault,    kPlain,           kNoTip},
  {Ctl::cmdReadme,       "cmdReadme",       Kind::kCommand,    Ctl::Frame5,  kNoPage, "&Read me",                       3840, 1440,  975,  375,  2, Paint::kDefault,    kPlain,           kNoTip},
  // The splash lies above everything on the Run tab, tab strip included.
  {Ctl::Picture1,        "Picture1",        Kind::kPicture,    Ctl::SSTab1,  0,       "",                                  0,    0, 5265, 2415, 17, Paint::kWindow,     kClicks | kOnTop, kNoTip},
  {Ctl::Label2,          "Label2",          Kind::kLabel,      Ctl::Picture1, kNoPage, "Click to start.",                3360, 2040, 1095,  255, 18, Paint::kWindow,     kClicks,          kNoTip},
}};
// clang-format on

const ControlSpec& LayoutOf(Ctl id) {
  for (const auto& entry : kControls) {
    if (entry.id == id) return entry;
  }
  throw std::out_of_range("no such control");
}

std::array<Ctl, 11> FocusOrder() {
  std::array<Ctl, 11> order{};
  std::size_t n = 0;
  std::array<ControlSpec, kControls.size()> sorted = kControls;
  std::sort(sorted.begin(), sorted.end(),
            [](const ControlSpec& a, const ControlSpec& b) { return a.tabIndex < b.tabIndex; });
  for (const auto& entry : sorted) {
    // Frames and labels never take the focus.
    if (entry.kind == Kind::kFrame || entry.kind == Kind::kLabel) continue;
    order.at(n++) = entry.id;
  }
  return order;
}

}  // namespace window
