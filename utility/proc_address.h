#pragma once

#include <windows.h>

namespace utility {
// Typed lookup of a library export; null when absent.
template <typename Fn>
Fn procAddress(HMODULE module, const char* name) {
  FARPROC proc = GetProcAddress(module, name);
  // Through a generic function pointer: the export's real type is known only to the caller.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}
}  // namespace utility
