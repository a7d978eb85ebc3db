#include "ui/sdk_api_impl.h"

#include "base/log.h"

namespace {
SDKAPIImpl* g_instance = nullptr;
}

SDKAPIImpl* SDKAPIImpl::instance() {
  // Never freed: the partner library may call back into it until the process ends.
  if (!g_instance) g_instance = new SDKAPIImpl();
  return g_instance;
}

void SDKAPIImpl::releaseDLL() {
  SDKAPIImpl* self = g_instance;
  if (self && !self->released_) {
    self->released_ = true;
    if (self->libraryLoaded_) {
      self->libraryLoaded_ = false;
      writeLog("SDKAPIImpl::releaseDLL", __LINE__, L"release dll end");
    }
  }
  g_instance = nullptr;
}

void SDKAPIImpl::initOffer(const std::wstring& channel) {
  // The partner library is not carried yet; there is no offer to initialise.
  (void)channel;
}
