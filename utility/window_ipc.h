// The hidden top-level window through which a second start of the installer hands over to
// the first: found by its class name, it forwards user messages to a handler.
#pragma once

#include <windows.h>

#include <cstdint>

namespace utility {

class IWindowIPCHandle {
 public:
  virtual std::int32_t onHandleWindowIPC(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~IWindowIPCHandle() = default;
};

class CWindowIPC {
 public:
  CWindowIPC() = default;
  CWindowIPC(const CWindowIPC&) = delete;
  CWindowIPC& operator=(const CWindowIPC&) = delete;

  // Window thread. Registers the class and creates the window; true when the handler is set.
  bool open(const wchar_t* className, IWindowIPCHandle* handler);

  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);

  // Lives until the process ends: a later start must always find it.
  HWND window_ = nullptr;
  IWindowIPCHandle* handler_ = nullptr;
};

}  // namespace utility
