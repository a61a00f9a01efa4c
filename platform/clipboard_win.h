#pragma once
#include <windows.h>

#include <string_view>

#include "win32_result.h"

namespace lv {

// Empties the clipboard and puts `text` on it as Unicode text; Windows offers the
// ANSI form from it. Whatever was there before is gone even when setting fails.
Win32Result SetClipboardText(HWND owner, std::string_view text);

}  // namespace lv
