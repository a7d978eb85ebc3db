#include "base/log_table.h"

namespace common {

std::map<int, std::wstring> buildLogFileTable(const std::wstring& appData) {
  const std::wstring family = appData + L"\\Tessane2";
  auto join = [](const std::wstring& folder, const wchar_t* relative) { return folder + L"\\" + relative; };
  return {
      {1, join(family, L"log/vqinstall.log")},
      {2, join(family, L"log/vquninstall.log")},
      {3, std::wstring()},
      {4, join(family, L"log/vqmultiplayer.log")},
      {5, join(family, L"log/vqrepairer.log")},
      {6, join(family, L"log/vqvideorecord.log")},
      {7, join(family, L"log/vqconsole.log")},
      {8, join(appData, L"zxdownloader\\zxdownloader.log")},
      {9, join(family, L"log/vqupload.log")},
  };
}

std::wstring logFilePath(const std::map<int, std::wstring>& table, int moduleId) {
  auto it = table.find(moduleId);
  return it == table.end() ? std::wstring() : it->second;
}

std::wstring logFolderOf(const std::wstring& logFile) {
  std::size_t cut = logFile.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : logFile.substr(0, cut);
}

}  // namespace common
