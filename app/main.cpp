// Process entry: everything the installer relies on is built here, on the window thread, in
// a fixed order; the exit path runs whatever happened before it, and the exit code is 0.
#include <windows.h>
#include <objbase.h>
#include <winsock2.h>

#include <string>

#include "app/crash_reporter.h"
#include "app/downloader_impl.h"
#include "base/commoninit.h"
#include "base/log.h"
#include "config/build_constants.h"
#include "model/downloader_model.h"
#include "toolkit/message_loop.h"
#include "ui/sdk_api_impl.h"
#include "ui/skin_init.h"
#include "utility/process.h"
#include "utility/task_dispatcher.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  if (FAILED(CoInitialize(nullptr))) {
    MessageBoxW(nullptr, L"Error", L"CoInitialize error", 0);
    return 0;
  }
  WSADATA wsaData;
  WSAStartup(0x0202, &wsaData);

  common::commoninit(std::wstring(), std::wstring());
  installLogSink(&logSink);
  utility::TaskDispatcher::create();
  writeLog("wWinMain", __LINE__, L"downloader start. version is : %s *******************************************************",
           buildconst::kInstallerVersionW);
  writeLog("wWinMain", __LINE__, L"commoninit end");
  ui::duilibInit2(instance);
  writeLog("wWinMain", __LINE__, L"duilibInit2 end");
  app::startCrashReporter();

  {
    DownloaderImpl application;
    if (application.entrance(instance, commandLine ? commandLine : L"")) toolkit::runMessageLoop();

    SDKAPIImpl::releaseDLL();
    DownloaderModel::destroyModel();
    // A sibling program of the installer family may still hold files the user wants back.
    utility::process::execute(L"taskkill", L"/F /IM zxcurl.exe /T", 2000);
  }

  CoUninitialize();
  common::stopFileLogger();
  return 0;
}
