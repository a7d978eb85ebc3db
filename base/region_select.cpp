#include "base/region_select.h"

#include <windows.h>

#include <filesystem>

#include "base/commoninit.h"
#include "base/global_config.h"
#include "base/language_codes.h"
#include "utility/text_convert.h"

namespace common {

std::wstring systemLanguageCode() { return localeCodeOfLanguageId(GetUserDefaultUILanguage()); }

const RegionProfile& resolveRegionProfile(const std::wstring& override) {
  std::filesystem::path file(globalConfigPath(emulatorFolder()));
  std::wstring configured = utility::toWide(readConfiguredLanguageId(file), CP_UTF8);
  return regionProfiles().choose(pickLanguageCode(configured, override, systemLanguageCode));
}

}  // namespace common
