// Fixed folders and files of the product's shared base layer.
#pragma once

#include <string>

namespace config {

// Program of the installer family ended at exit.
inline constexpr wchar_t kExitProcessImage[] = L"zxcurl.exe";

// The product data folder under the roaming application-data folder.
std::wstring productDataFolder(const std::wstring& roamingAppData);

}  // namespace config
