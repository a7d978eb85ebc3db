#include "utility/process.h"

#include <shellapi.h>

#include "base/log.h"
#include "utility/os_version.h"

namespace utility::process {

std::wstring commandLine(const std::wstring& program, const std::wstring& parameters) {
  std::wstring line = L"\"" + program + L"\"";
  if (!parameters.empty()) line += L" " + parameters;
  return line;
}

bool shell(const std::wstring& program, const std::wstring& parameters) {
  writeLog("utility::process::shell", __LINE__, L"shell filename = [%s], param = [%s], runas = %d, show = %d",
           program.c_str(), parameters.c_str(), 1, 0);
  const wchar_t* verb = osMajorVersion() < 6 ? L"open" : L"runas";
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, verb, program.c_str(), parameters.c_str(), nullptr, SW_HIDE));
  if (result > 32) return true;
  writeLog("utility::process::shell", __LINE__, L"shellEx failed!!! lastError = %d", static_cast<int>(GetLastError()));
  return false;
}

UniqueKernelHandle create(const std::wstring& program, const std::wstring& parameters) {
  writeLog("utility::process::create", __LINE__, L"createProcess filename = [%s], param = [%s], show = %d",
           program.c_str(), parameters.c_str(), 0);
  std::wstring line = commandLine(program, parameters);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup,
                      &info)) {
    DWORD error = GetLastError();
    writeLog("utility::process::create", __LINE__, L"createProcess failed!!! lastError = %d", static_cast<int>(error));
    SetLastError(error);  // execute reports the same error after this line
    return UniqueKernelHandle();
  }
  UniqueKernelHandle thread(info.hThread);
  return UniqueKernelHandle(info.hProcess);
}

bool execute(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs) {
  UniqueKernelHandle child = create(program, parameters);
  if (!child) {
    writeLog("utility::process::execute", __LINE__, L"execute failed!!! last error = %d", static_cast<int>(GetLastError()));
    return false;
  }
  DWORD wait = WaitForSingleObject(child.get(), timeoutMs);
  if (wait == WAIT_TIMEOUT) {
    writeLog("utility::process::execute", __LINE__, L"execute timeout!!!");
    return false;
  }
  if (wait != WAIT_OBJECT_0) {
    writeLog("utility::process::execute", __LINE__, L"execute failed!!! lastError = %d", static_cast<int>(GetLastError()));
    return false;
  }
  DWORD exitCode = static_cast<DWORD>(-1);
  GetExitCodeProcess(child.get(), &exitCode);
  writeLog("utility::process::execute", __LINE__, L"execute exitcode = %d lastError = %d", static_cast<int>(exitCode),
           static_cast<int>(GetLastError()));
  return exitCode == 0;
}

}  // namespace utility::process

namespace utility {

void openUrl(const std::wstring& address) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = address.c_str();
  info.nShow = SW_SHOW;
  if (ShellExecuteExW(&info)) {
    UniqueKernelHandle process(info.hProcess);
    return;
  }
  ShellExecuteW(nullptr, L"open", L"iexplore.exe", address.c_str(), nullptr, SW_SHOW);
}

}  // namespace utility
