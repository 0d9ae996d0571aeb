// The main window's controls: kind, container, text, place and size in
// twips, keyboard order, colour and what each does beyond its kind. The Win32
// layer makes every control from this table (class, style, place, font,
// z-order and keyboard order come from its columns). Beyond routing events to
// the handler of a control's name, it names only the tab control (its tabs,
// their size and style, the focus at start), the splash picture and its label
// (made with the tab control, for the first picture) and the BIOS box (where
// the balloon tip points). Tests read the table to know where things must be.
// What must hold of it is checked when compiling.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "version.h"

namespace window {

// Doubles as the Win32 control ID. None is 1 or 2, so Enter and Escape,
// which the dialog manager turns into IDOK and IDCANCEL, do nothing.
enum class Ctl : int {
  kForm = 0,
  SSTab1 = 100,
  Picture1,
  Label2,
  Frame4,
  Option1,
  Option3,
  Option2,
  Command1,
  Frame2,
  Check1,
  Check2,
  txtBios,
  Label1,
  cmdSaveSettings,
  Frame5,
  lblCopyRight,
  Label3,
  cmdReadme,
};

enum class Kind { kTabControl, kFrame, kPicture, kLabel, kOption, kCommand, kCheck, kTextBox };

// Colours by meaning, so that they follow the user's colour scheme.
enum class Paint { kButtonFace, kWindow };

// What a control does beyond what its kind does.
enum Trait : unsigned {
  kPlain = 0,
  kClicks = 1,      // a label or picture that tells of clicks on it
  kGroupStart = 2,  // the first of a group of options; the arrow keys move within it
  kOnTop = 4,       // lies above its siblings, those made after it included
  // The label that names the text box of its container: screen readers take
  // a box's name from the static control right before it in z-order, so the
  // label lies right above the box, cut where the box overlaps it so that
  // the box shows there.
  kNamesTextBox = 8,
  kWraps = 16,  // a label whose text wraps over its lines, so no caption to fit on one
};

struct ControlSpec {
  Ctl id;
  std::string_view name;
  Kind kind;
  Ctl parent;
  int page;                      // for direct children of the tab control: 0 Run, 1 Options, 2 Info
  std::string_view text;         // UTF-8; '&' marks the access key
  int left, top, width, height;  // twips, from the container's top-left corner
  int tabIndex;                  // keyboard order; -1 for none
  Paint paint;
  unsigned traits;  // Trait bits
  std::string_view tooltip;
};

inline constexpr int kNoPage = -1;
inline constexpr int kPageCount = 3;
inline constexpr std::array<std::string_view, kPageCount> kPageCaptions = {"Run", "Options",
                                                                           "Info"};

// The window's client area and its tab strip, in twips.
inline constexpr int kClientWidth = 5190;
inline constexpr int kClientHeight = 2430;
inline constexpr int kTabStripHeight = 295;  // 520 hundredths of a millimetre

// Tab captions are Verdana 8.25 pt; everything else uses the window's font.
inline constexpr std::string_view kTabFontFace = "Verdana";
inline constexpr int kTabFontTenthsOfPoint = 83;

inline constexpr unsigned kSplashTimerMs = 10000;

inline constexpr std::string_view kNoTip;
inline constexpr std::string_view kVersionLine =
    "version " QUIMBEL_VERSION_SHORT " - tested on Quimbel Advance 0.7+";
inline constexpr std::string_view kBiosTip =
    "Must be the full path where the BIOS is located. The extension must be GBA.";

// clang-format off
inline constexpr auto kControls = std::to_array<ControlSpec>({
  // id                  name               kind               parent        page     text                                left  top   width height tab paint               traits
  {Ctl::SSTab1,          "SSTab1",          Kind::kTabControl, Ctl::kForm,   kNoPage, "",                                  0,    0, 5175, 2415,  0, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Frame4,          "Frame4",          Kind::kFrame,      Ctl::SSTab1,  0,       "",                                120,  360, 4935, 1935,  5, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Option1,         "Option1",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Start Quimbel Advance",           240,  360, 1935,  195,  9, Paint::kButtonFace, kGroupStart,      kNoTip},
  {Ctl::Option3,         "Option3",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Start Quimbel Advance and Exit",  240,  720, 2775,  195,  6, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Option2,         "Option2",         Kind::kOption,     Ctl::Frame4,  kNoPage, "Exit",                            240, 1080,  615,  195,  8, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Command1,        "Command1",        Kind::kCommand,    Ctl::Frame4,  kNoPage, "&Ok",                            3840, 1440,  975,  375,  7, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Frame2,          "Frame2",          Kind::kFrame,      Ctl::SSTab1,  1,       "",                                120,  360, 4935, 1935, 10, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Check1,          "Check1",          Kind::kCheck,      Ctl::Frame2,  kNoPage, "Debug menu",                      240,  240, 1215,  255, 14, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Check2,          "Check2",          Kind::kCheck,      Ctl::Frame2,  kNoPage, "Sound",                           240,  600, 1455,  255, 12, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::txtBios,         "txtBios",         Kind::kTextBox,    Ctl::Frame2,  kNoPage, "",                               1080,  960, 3735,  285, 13, Paint::kButtonFace, kPlain,           kBiosTip},
  {Ctl::Label1,          "Label1",          Kind::kLabel,      Ctl::Frame2,  kNoPage, "GBA BIOS",                        240,  960,  975,  255, 15, Paint::kButtonFace, kNamesTextBox,    kNoTip},
  {Ctl::cmdSaveSettings, "cmdSaveSettings", Kind::kCommand,    Ctl::Frame2,  kNoPage, "&Save",                          3960, 1440,  855,  375, 11, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::Frame5,          "Frame5",          Kind::kFrame,      Ctl::SSTab1,  2,       "",                                120,  360, 4935, 1935,  1, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::lblCopyRight,    "lblCopyRight",    Kind::kLabel,      Ctl::Frame5,  kNoPage, "...",                             120,  240, 4455, 1215,  4, Paint::kButtonFace, kWraps,           kNoTip},
  {Ctl::Label3,          "Label3",          Kind::kLabel,      Ctl::Frame5,  kNoPage, kVersionLine,                       120, 1560, 3615,  255, 3, Paint::kButtonFace, kPlain,           kNoTip},
  {Ctl::cmdReadme,       "cmdReadme",       Kind::kCommand,    Ctl::Frame5,  kNoPage, "&Read me",                       3840, 1440,  975,  375,  2, Paint::kButtonFace, kPlain,           kNoTip},
  // The splash lies above everything on the Run tab, tab strip included.
  {Ctl::Picture1,        "Picture1",        Kind::kPicture,    Ctl::SSTab1,  0,       "",                                  0,    0, 5265, 2415, 17, Paint::kWindow,     kClicks | kOnTop, kNoTip},
  {Ctl::Label2,          "Label2",          Kind::kLabel,      Ctl::Picture1, kNoPage, "Click to start.",                3360, 2040, 1095,  255, 18, Paint::kWindow,     kClicks,          kNoTip},
});
// clang-format on

// The table's entry for `id`; throws for an ID the table lacks.
const ControlSpec& LayoutOf(Ctl id);

// The same, or nullptr: for IDs that come from the system.
constexpr const ControlSpec* FindControl(Ctl id) {
  for (const auto& entry : kControls) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

namespace detail {

constexpr bool TakesFocus(const ControlSpec& entry) {
  // Frames and labels never take the focus.
  return entry.tabIndex >= 0 && entry.kind != Kind::kFrame && entry.kind != Kind::kLabel;
}

constexpr std::size_t FocusCount() {
  std::size_t n = 0;
  for (const auto& entry : kControls) n += TakesFocus(entry) ? 1 : 0;
  return n;
}

// No two controls share a value of `key` that is not negative.
template <class Key>
constexpr bool NoTwoShare(Key key) {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    for (std::size_t j = i + 1; j < kControls.size(); ++j) {
      if (key(kControls[i]) >= 0 && key(kControls[i]) == key(kControls[j])) return false;
    }
  }
  return true;
}

constexpr bool NoIdTheDialogManagerTakes() {
  for (const auto& entry : kControls) {
    const int id = static_cast<int>(entry.id);
    if (id == 1 || id == 2) return false;  // IDOK and IDCANCEL: Enter and Escape
  }
  return true;
}

constexpr bool EveryParentIsAContainer() {
  for (const auto& entry : kControls) {
    if (entry.parent == Ctl::kForm) continue;
    bool found = false;
    for (const auto& parent : kControls) {
      found = found || (parent.id == entry.parent &&
                        (parent.kind == Kind::kTabControl || parent.kind == Kind::kFrame ||
                         parent.kind == Kind::kPicture));
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace detail

static_assert(detail::NoTwoShare([](const ControlSpec& e) { return static_cast<int>(e.id); }),
              "two controls share an ID");
static_assert(detail::NoIdTheDialogManagerTakes(), "a control has ID 1 or 2");
static_assert(detail::NoTwoShare([](const ControlSpec& e) { return e.tabIndex; }),
              "two controls share a keyboard position");
static_assert(detail::EveryParentIsAContainer(), "a control's parent is no container in the table");

// The controls that can take the focus, in keyboard order.
constexpr std::array<Ctl, detail::FocusCount()> FocusOrder() {
  std::array<Ctl, detail::FocusCount()> order{};
  int last = -1;
  for (auto& next : order) {
    const ControlSpec* lowest = nullptr;
    for (const auto& entry : kControls) {
      if (detail::TakesFocus(entry) && entry.tabIndex > last &&
          (!lowest || entry.tabIndex < lowest->tabIndex))
        lowest = &entry;
    }
    next = lowest->id;
    last = lowest->tabIndex;
  }
  return order;
}

}  // namespace window
