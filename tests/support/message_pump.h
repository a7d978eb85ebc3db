// Runs the test thread's messages (the dispatcher's window lives on it) until a condition holds.
#pragma once

#include <windows.h>

#include <functional>

namespace zxtest {

inline bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

inline void pumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  pumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

}  // namespace zxtest
