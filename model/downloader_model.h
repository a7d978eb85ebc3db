// The process-wide workflow model: launch parameters, install folder, version result, the
// workers that fetch and install, and the callbacks that carry outcomes to the window.
#pragma once

#include <windows.h>

#include <string>

#include "utility/win_handle.h"

class DownloaderModel {
 public:
  // The single instance, created on first use.
  static DownloaderModel* instance();
  // Stops the model's threads, closes its handles and frees it. A later instance() call
  // creates a fresh model.
  static void destroyModel();

  // True when another installer of this user runs (it was asked to show its window); false
  // when this process is the first and now holds the single-instance mutex.
  bool popupExistPwnd();

  void init(const std::wstring& commandLine);

  void setInstanceHandle(HINSTANCE instance) { instanceHandle_ = instance; }
  HINSTANCE instanceHandle() const { return instanceHandle_; }

  const std::wstring& openid() const { return openid_; }

  void reportEvent(const std::wstring& name, const std::wstring& value);

 private:
  DownloaderModel() = default;
  ~DownloaderModel() = default;

  std::wstring openid_ = L"100";
  HINSTANCE instanceHandle_ = nullptr;
  utility::UniqueKernelHandle instanceMutex_;
};
