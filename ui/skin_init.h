#pragma once

#include <windows.h>

namespace ui {
// Skin and toolkit start-up on the window thread.
void duilibInit2(HINSTANCE instance);
}
