// The log file of each program of the product family, by module id.
#pragma once

#include <map>
#include <string>

namespace common {

inline constexpr int kInstallerModuleId = 8;

// Module id to log file path under the roaming application-data folder appData. Row 3 has
// no log file; its path is empty.
std::map<int, std::wstring> buildLogFileTable(const std::wstring& appData);

// The path for a module id; empty for ids without a row.
std::wstring logFilePath(const std::map<int, std::wstring>& table, int moduleId);

// The folder that holds a log file: everything before its last separator of either kind.
std::wstring logFolderOf(const std::wstring& logFile);

}  // namespace common
