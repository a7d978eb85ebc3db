#include "utility/usystem.h"

#include "base/log.h"

namespace utility::usystem {

void showWndOnTop(HWND window) {
  const char* kName = "utility::usystem::showWndOnTop";
  writeLog(kName, __LINE__, L"showWndOnTop begin");
  if (IsIconic(window)) {
    writeLog(kName, __LINE__, L"11111");
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
  LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  writeLog(kName, __LINE__, L"33333");
  if (exStyle & WS_EX_TOPMOST) {
    ShowWindow(window, SW_SHOW);
    writeLog(kName, __LINE__, L"444444");
  } else {
    SetForegroundWindow(window);
    BringWindowToTop(window);
    writeLog(kName, __LINE__, L"55555");
    // Topmost and back: the reliable way past the foreground lock when another process
    // (a second start of the installer) asked for the window.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
  }
  writeLog(kName, __LINE__, L"showWndOnTop end");
}

}  // namespace utility::usystem
