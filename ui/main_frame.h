// The installer's main window.
#pragma once

#include <windows.h>

class DMainFrame {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 400;

  DMainFrame() = default;
  DMainFrame(const DMainFrame&) = delete;
  DMainFrame& operator=(const DMainFrame&) = delete;

  bool create(HWND parent, DWORD style, DWORD exStyle);
  void centerWindow();
  void showWindow();
  HWND hwnd() const { return window_; }

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();

  HWND window_ = nullptr;
};
