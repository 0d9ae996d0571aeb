// The show state a shortcut or launcher asks for ("Run: Minimized" or
// "Maximized"), which Windows gives the first ShowWindow of the process
// whatever that call asks: the starter's fixed window always opens as laid
// out, centred and normal.
#pragma once

#include <windows.h>

namespace win32 {

// Before any other window of the process shows: when the program was
// started with a show state other than normal, the first ShowWindow goes to
// `owner` (hidden, unowned), which then is hidden and normal again, unseen.
void SpendStartupShowState(HWND owner);

}  // namespace win32
