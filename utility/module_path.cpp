#include "utility/module_path.h"

#include <windows.h>

namespace utility {

std::wstring modulePath() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

std::wstring moduleFolder() {
  std::wstring path = modulePath();
  std::size_t cut = path.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace utility
