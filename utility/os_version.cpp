#include "utility/os_version.h"

#include <windows.h>

namespace utility {

unsigned osMajorVersion() {
  OSVERSIONINFOEXW extended = {};
  extended.dwOSVersionInfoSize = sizeof(extended);
  if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) return extended.dwMajorVersion;
  OSVERSIONINFOW basic = {};
  basic.dwOSVersionInfoSize = sizeof(basic);
  if (GetVersionExW(&basic)) return basic.dwMajorVersion;
  return 0;
}

}  // namespace utility
