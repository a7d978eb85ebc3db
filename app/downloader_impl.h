// The application object: single-instance check, model start, main window, hand-over channel.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "utility/window_ipc.h"

class DMainFrame;

class DownloaderImpl final : public utility::IWindowIPCHandle {
 public:
  DownloaderImpl() = default;
  DownloaderImpl(const DownloaderImpl&) = delete;
  DownloaderImpl& operator=(const DownloaderImpl&) = delete;

  // True when this process goes on to run the message loop; false when another instance runs.
  bool entrance(HINSTANCE instance, const std::wstring& commandLine);
  void showMainFrame();

  std::int32_t onHandleWindowIPC(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Created once and never destroyed: the window ends the message loop itself and the
  // process exits right after.
  DMainFrame* mainFrame_ = nullptr;
  utility::CWindowIPC channel_;
};
