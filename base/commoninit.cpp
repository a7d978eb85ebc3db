#include "base/commoninit.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <system_error>

#include "base/log.h"
#include "base/log_table.h"
#include "base/region_select.h"
#include "utility/module_path.h"

namespace common {
namespace {
int g_moduleId = 0;
std::wstring g_emulatorFolderOverride;

std::wstring roamingAppData() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
  return path;
}

// Every start lays out the folders of the whole product family, as each program of the
// family does, so that the others find their log folders in place.
std::map<int, std::wstring> buildLogFiles() {
  auto table = buildLogFileTable(roamingAppData());
  for (const auto& [id, file] : table) {
    if (file.empty()) continue;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(logFolderOf(file)), error);
    if (error) common::log(L"Exception !!! When Create Directories path = %s", file.c_str());
  }
  return table;
}

}  // namespace

int moduleId() { return g_moduleId; }

std::wstring emulatorFolder() {
  return g_emulatorFolderOverride.empty() ? utility::moduleFolder() : g_emulatorFolderOverride;
}

void commoninit(const std::wstring& languageOverride, const std::wstring& emulatorFolderOverride) {
  g_moduleId = kInstallerModuleId;
  startFileLogger(logFilePath(buildLogFiles(), g_moduleId));
  g_emulatorFolderOverride = emulatorFolderOverride;
  setCurrentRegionProfile(&resolveRegionProfile(languageOverride));
}

}  // namespace common
