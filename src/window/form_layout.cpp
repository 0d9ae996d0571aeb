// Finding a control of the main window's table.
#include "window/form_layout.h"

#include <stdexcept>

namespace window {

const ControlSpec& LayoutOf(Ctl id) {
  if (const ControlSpec* entry = FindControl(id)) return *entry;
  throw std::out_of_range("no such control");
}

}  // namespace window
