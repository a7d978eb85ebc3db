#include "model/downloader_model.h"

#include "base/log.h"
#include "model/single_instance.h"

namespace {
DownloaderModel* g_model = nullptr;
}

DownloaderModel* DownloaderModel::instance() {
  if (!g_model) g_model = new DownloaderModel();
  return g_model;
}

void DownloaderModel::destroyModel() {
  delete g_model;
  g_model = nullptr;
}

bool DownloaderModel::popupExistPwnd() {
  utility::UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kSingleInstanceName));
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) mutex.reset();
  if (mutex) {
    instanceMutex_ = std::move(mutex);
    writeLog("DownloaderModel::popupExistPwnd", __LINE__, L"wnd not exist");
    return false;
  }
  if (HWND window = FindWindowExW(nullptr, nullptr, kSingleInstanceName, nullptr)) {
    PostMessageW(window, kHandOverMessage, 0, 0);
  }
  writeLog("DownloaderModel::popupExistPwnd", __LINE__, L"wnd exist");
  return true;
}

void DownloaderModel::init(const std::wstring& commandLine) {
  // Launch parameters, install folder and the version query arrive with the workflow.
  (void)commandLine;
}

void DownloaderModel::reportEvent(const std::wstring& name, const std::wstring& value) {
  // Analytics arrive with the event tracker.
  (void)name;
  (void)value;
}
