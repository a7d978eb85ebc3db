// Start-up choice of the current region profile from the global configuration and Windows.
#pragma once

#include <string>

#include "base/region_profile.h"

namespace common {

// Locale code of the Windows display language (GetUserDefaultUILanguage); empty when the
// language has none.
std::wstring systemLanguageCode();

// The row to use: the global configuration's "languageId" under the emulator folder, else the
// override, else the display language.
const RegionProfile& resolveRegionProfile(const std::wstring& override);

}  // namespace common
