#include "ui/main_frame.h"

#include "base/log.h"

namespace {
constexpr wchar_t kClassName[] = L"ZentrixMainFrame";
}

bool DMainFrame::create(HWND parent, DWORD style, DWORD exStyle) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &DMainFrame::windowProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  CreateWindowExW(exStyle, kClassName, L"", style, 0, 0, kWidth, kHeight, parent, nullptr, module, this);
  if (!window_) {
    writeLog("DMainFrame::create", __LINE__, L"create main window failed, error = %d", static_cast<int>(GetLastError()));
    return false;
  }
  return true;
}

void DMainFrame::centerWindow() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT rect;
  GetWindowRect(window_, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = area.left + ((area.right - area.left) - width) / 2;
  int y = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DMainFrame::showWindow() {
  ShowWindow(window_, SW_SHOW);
  SetFocus(window_);
}

LRESULT CALLBACK DMainFrame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DMainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DMainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT DMainFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_NCHITTEST:
      // A frameless pop-up: dragging anywhere moves it.
      return HTCAPTION;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void DMainFrame::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client;
  GetClientRect(window_, &client);
  HBRUSH background = CreateSolidBrush(RGB(0x1E, 0x6F, 0xD9));
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  DrawTextW(dc, L"Zentrix", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window_, &ps);
}
