// Runs the real ZentrixInstaller.exe under test: copied into a folder under a chosen file name,
// started as a child process, its main window found and closed like a user would, its exit
// awaited. Also reads the installer's log file. Windows only; window tests need a display.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "utility/win_handle.h"

namespace zxtest {

// The folder of the running test binary (the build's bin folder, holding the installer too).
std::filesystem::path binFolder();

// The installer's log file in the current user's roaming application-data folder.
std::filesystem::path installerLogPath();

// The log file's lines without their line ends; empty when there is no file.
std::vector<std::string> readLogLines();

class InstallerProcess {
 public:
  // Copies the built installer to folder/fileName (and any extra files from the bin folder).
  InstallerProcess(const std::filesystem::path& folder, const std::wstring& fileName,
                   const std::vector<std::wstring>& besideIt = {});
  ~InstallerProcess();

  const std::filesystem::path& exePath() const { return exe_; }

  bool start(const std::wstring& arguments = L"");
  // The process's first visible top-level window, waited for up to timeoutMs.
  HWND waitForWindow(DWORD timeoutMs = 20000) const;
  // Waits for the process to end; returns its exit code, or -1 on timeout.
  long waitForExit(DWORD timeoutMs = 20000);
  // Closes the main window with WM_CLOSE and waits for the exit code.
  long closeAndWait(DWORD timeoutMs = 20000);
  DWORD processId() const { return processId_; }

 private:
  std::filesystem::path exe_;
  utility::UniqueKernelHandle process_;
  DWORD processId_ = 0;
};

// Polls until the log holds a line containing text, up to timeoutMs.
bool waitForLogLine(const std::string& text, DWORD timeoutMs = 10000);

}  // namespace zxtest
