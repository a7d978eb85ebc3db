#pragma once

#include <windows.h>

namespace utility::usystem {
// Forces a top-level window to the foreground, restoring it when minimised.
void showWndOnTop(HWND window);
}
