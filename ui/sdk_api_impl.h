// The partner-offer bridge: loads the partner library and shows its offer over the window.
#pragma once

#include <string>

class SDKAPIImpl {
 public:
  // The single instance, created on first use; null after releaseDLL.
  static SDKAPIImpl* instance();
  // Exit step: releases the partner library once.
  static void releaseDLL();

  void initOffer(const std::wstring& channel);

 private:
  SDKAPIImpl() = default;
  bool released_ = false;
  bool libraryLoaded_ = false;
};
