#include "config/well_known.h"

namespace config {

std::wstring productDataFolder(const std::wstring& roamingAppData) {
  std::wstring path = roamingAppData;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + L"Tessane2";
}

}  // namespace config
