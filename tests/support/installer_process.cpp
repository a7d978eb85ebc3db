#include "tests/support/installer_process.h"

#include <shlobj.h>

#include <fstream>

#include "utility/module_path.h"
#include "utility/process.h"

namespace zxtest {

std::filesystem::path binFolder() { return std::filesystem::path(utility::moduleFolder()); }

std::filesystem::path installerLogPath() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return std::filesystem::path(appData) / L"zxdownloader" / L"zxdownloader.log";
}

std::vector<std::string> readLogLines() {
  std::vector<std::string> lines;
  std::ifstream in(installerLogPath(), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool waitForLogLine(const std::string& text, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    for (const std::string& line : readLogLines()) {
      if (line.find(text) != std::string::npos) return true;
    }
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(100);
  }
}

InstallerProcess::InstallerProcess(const std::filesystem::path& folder, const std::wstring& fileName,
                                   const std::vector<std::wstring>& besideIt)
    : exe_(folder / fileName) {
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(binFolder() / L"ZentrixInstaller.exe", exe_,
                             std::filesystem::copy_options::overwrite_existing);
  for (const std::wstring& extra : besideIt) {
    std::filesystem::copy_file(binFolder() / extra, folder / extra, std::filesystem::copy_options::overwrite_existing);
  }
}

InstallerProcess::~InstallerProcess() {
  // A test that failed half-way must not leave an installer behind for the next test.
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool InstallerProcess::start(const std::wstring& arguments) {
  std::wstring line = utility::process::commandLine(exe_.wstring(), arguments);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, exe_.parent_path().c_str(), &startup,
                      &info)) {
    return false;
  }
  utility::UniqueKernelHandle thread(info.hThread);
  process_.reset(info.hProcess);
  processId_ = info.dwProcessId;
  return true;
}

namespace {
struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND InstallerProcess::waitForWindow(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{processId_, nullptr};
    EnumWindows(&findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return nullptr;
    Sleep(50);
  }
}

long InstallerProcess::waitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

long InstallerProcess::closeAndWait(DWORD timeoutMs) {
  if (HWND window = waitForWindow(timeoutMs)) PostMessageW(window, WM_CLOSE, 0, 0);
  return waitForExit(timeoutMs);
}

}  // namespace zxtest
