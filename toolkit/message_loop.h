#pragma once

namespace toolkit {
// Runs the window thread's message loop until WM_QUIT.
void runMessageLoop();
}
