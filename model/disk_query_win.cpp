#include "model/disk_query_win.h"

#include <windows.h>
#include <shlwapi.h>
#include <winioctl.h>

#include "base/log.h"
#include "utility/win_handle.h"

namespace {

utility::UniqueFileHandle openVolume(const std::wstring& drive) {
  std::wstring device = L"\\\\.\\" + drive;
  return utility::UniqueFileHandle(CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

}  // namespace

namespace helper::disk {

double CalcAvaliableSpace(const std::wstring& root) { return model::driveWeight(root, model::WinDiskQuery()); }

bool isSSD(const std::wstring& drive) {
  utility::UniqueFileHandle volume = openVolume(drive);
  if (!volume) return false;
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = static_cast<STORAGE_PROPERTY_ID>(8);  // StorageDeviceTrimProperty
  query.QueryType = PropertyStandardQuery;
  // Version, Size, TrimEnabled: 12 bytes.
  struct {
    DWORD version;
    DWORD size;
    BOOLEAN trimEnabled;
  } trim{};
  DWORD returned = 0;
  DeviceIoControl(volume.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &trim, sizeof(trim), &returned,
                  nullptr);
  if (trim.trimEnabled == 1) {
    writeLog("helper::disk::isSSD", __LINE__, L"It is suport trim");
    return true;
  }
  writeLog("helper::disk::isSSD", __LINE__, L"It is not suport trim");
  return false;
}

}  // namespace helper::disk

namespace model {

bool isHotplugDrive(const std::wstring& drive) {
  utility::UniqueFileHandle volume = openVolume(drive);
  if (!volume) return false;
  STORAGE_HOTPLUG_INFO info{};
  DWORD returned = 0;
  if (DeviceIoControl(volume.get(), IOCTL_STORAGE_GET_HOTPLUG_INFO, nullptr, 0, &info, sizeof(info), &returned,
                      nullptr) &&
      info.MediaRemovable == 0 && info.DeviceHotplug == 0) {
    return false;
  }
  return true;
}

std::wstring readInstallDir(const std::wstring& keyPath) {
  HKEY raw = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, keyPath.c_str(), &raw) != ERROR_SUCCESS) return std::wstring();
  utility::UniqueRegKey key(raw);
  wchar_t buffer[1024 + 1] = {};
  DWORD size = 2048;
  if (RegQueryValueExW(key.get(), L"InstallDir", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return std::wstring(buffer);  // up to the first NUL; the extra element keeps it terminated
}

bool WinDiskQuery::freeBytes(const std::wstring& root, std::uint64_t& bytes) const {
  ULARGE_INTEGER available{};
  if (GetDiskFreeSpaceExW(root.c_str(), &available, nullptr, nullptr) != 1) return false;
  bytes = available.QuadPart;
  return true;
}

std::vector<std::wstring> WinDiskQuery::logicalDrives() const {
  std::vector<std::wstring> roots;
  wchar_t buffer[512] = {};
  DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer) - 1), buffer);
  if (length == 0 || length >= std::size(buffer)) return roots;
  for (const wchar_t* root = buffer; *root; root += wcslen(root) + 1) roots.emplace_back(root);
  return roots;
}

bool WinDiskQuery::isFixedDrive(const std::wstring& root) const { return GetDriveTypeW(root.c_str()) == DRIVE_FIXED; }

bool WinDiskQuery::isHotplugDrive(const std::wstring& drive) const { return model::isHotplugDrive(drive); }

bool WinDiskQuery::isSSD(const std::wstring& drive) const { return helper::disk::isSSD(drive); }

void WinDiskQuery::onSsdBoost(const std::wstring& root) const {
  writeLog("helper::disk::CalcAvaliableSpace", __LINE__, L"path %s is SSD ", root.c_str());
}

bool WinDiskQuery::fileSystemName(const std::wstring& root, std::wstring& name) const {
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH)) return false;
  name = fileSystem;
  return true;
}

bool WinDiskQuery::isRoot(const std::wstring& path) const { return PathIsRootW(path.c_str()) != FALSE; }

}  // namespace model
