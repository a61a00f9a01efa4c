#pragma once
#include <windows.h>

namespace lv {

// The menu bar of the window, built from kMenuBar.
HMENU BuildMenuBar();

}  // namespace lv
