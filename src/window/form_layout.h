// The main window's controls: kind, container, text, place and size in
// twips, keyboard order, colour and what each does beyond its kind. The Win32 layer builds the
// window from this table and nothing else; tests read it to know where things must be.
#pragma once

#include <array>
#include <string_view>

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
enum class Paint { kDefault, kButtonFace, kWindow };

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

extern const std::array<ControlSpec, 18> kControls;

const ControlSpec& LayoutOf(Ctl id);

// The controls that can take the focus, in keyboard order.
std::array<Ctl, 11> FocusOrder();

}  // namespace window
