#include "utility/window_ipc.h"

namespace utility {

bool CWindowIPC::open(const wchar_t* className, IWindowIPCHandle* handler) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &CWindowIPC::windowProc;
  windowClass.hInstance = module;
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);  // a class left registered by an earlier open is fine

  // An ordinary top-level window that is never shown: FindWindowExW without a parent finds
  // such windows and not message-only ones.
  CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, this);
  if (!window_) return false;
  handler_ = handler;
  return true;
}

LRESULT CALLBACK CWindowIPC::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CWindowIPC*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message > WM_USER || message == WM_COPYDATA) {
    auto* self = reinterpret_cast<CWindowIPC*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->window_ == window && self->handler_) self->handler_->onHandleWindowIPC(message, wParam, lParam);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace utility
