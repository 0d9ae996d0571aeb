// The read-me button and the text it shows.
#include "window/credits.h"
#include "window/frmQuimbel.h"

namespace window {

std::string ReadmeText() {
  const std::string lines[] = {
      std::string(kCopyrightNotice),
      "",
      "This small program is meant to be a start-facility for the Quimbel Advance as made by " +
          std::string(kEmulatorAuthor) + ".",
      "",
      "It automates the settings of:",
      "1) debug menu on/off;",
      "2) sound enable on/off;",
      "3) the path and file name of the GBA BIOS.",
      "",
      "Untill now these settings had to be done manualy (according to the F.A.Q. on " +
          std::string(kFaqAddress) + ").",
      "",
      "Hope you find this facility easy to use.",
  };
  std::string text = lines[0];
  for (std::size_t i = 1; i < std::size(lines); ++i) {
    text += "\r\n";
    text += lines[i];
  }
  return text;
}

void frmQuimbel::cmdReadme_Click() {
  view_.ShowReadme(ReadmeText());
}

}  // namespace window
