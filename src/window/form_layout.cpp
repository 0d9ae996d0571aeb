// Finding a control of the main window's table.
#include "window/form_layout.h"

#include "platform/rt_error.h"

namespace window {

const ControlSpec& LayoutOf(Ctl id) {
  if (const ControlSpec* entry = FindControl(id)) return *entry;
  throw platform::RuntimeError(platform::kInvalidArgument);
}

}  // namespace window
