#include "utility/ufile.h"

#include <shlobj.h>

#include "base/log.h"

namespace utility::ufile {

bool removeFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return true;
  writeLog("utility::ufile::removeFile", __LINE__, L"removeFile file from [ %s ] error = %d.", path.c_str(),
           static_cast<int>(GetLastError()));
  return false;
}

bool moveFile(const std::wstring& from, const std::wstring& to, DWORD flags) {
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
  writeLog("utility::ufile::moveFile", __LINE__, L"move file from [ %s ] to [ %s ] flag = %d failed! error = %d.",
           from.c_str(), to.c_str(), static_cast<int>(flags), static_cast<int>(GetLastError()));
  return false;
}

bool makeDir(const std::wstring& path) {
  int result = SHCreateDirectory(nullptr, path.c_str());
  if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS) return true;
  writeLog("utility::ufile::makeDir", __LINE__, L"make dir failed! error = %d.", result);
  return false;
}

}  // namespace utility::ufile
