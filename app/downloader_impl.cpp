#include "app/downloader_impl.h"

#include "app/offer_channel.h"
#include "base/log.h"
#include "model/downloader_model.h"
#include "model/single_instance.h"
#include "ui/main_frame.h"
#include "ui/sdk_api_impl.h"
#include "utility/module_path.h"
#include "utility/os_version.h"
#include "utility/usystem.h"

bool DownloaderImpl::entrance(HINSTANCE instance, const std::wstring& commandLine) {
  DownloaderModel* model = DownloaderModel::instance();
  if (model->popupExistPwnd()) {
    writeLog("DownloaderImpl::entrance", __LINE__, L"It's exist");
    return false;
  }
  writeLog("DownloaderImpl::entrance", __LINE__, L"player path is %s", utility::moduleFolder().c_str());
  model->init(commandLine);
  model->setInstanceHandle(instance);
  showMainFrame();
  channel_.open(kSingleInstanceName, this);
  model->reportEvent(L"download_run", model->openid());
  return true;
}

void DownloaderImpl::showMainFrame() {
  writeLog("DownloaderImpl::showMainFrame", __LINE__, L"player, create main window...");
  if (!mainFrame_) {
    DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    // Before Vista the frameless pop-up needs a system menu and sizing frame to get a
    // taskbar menu and minimise animation.
    if (utility::osMajorVersion() < 6) style |= WS_SYSMENU | WS_THICKFRAME;
    auto* frame = new DMainFrame();
    if (frame->create(nullptr, style, 0)) {
      frame->centerWindow();
      mainFrame_ = frame;
    } else {
      delete frame;
      // Without a window the message loop would wait for ever for a quit nobody posts.
      PostQuitMessage(0);
    }
  }
  if (mainFrame_) {
    mainFrame_->showWindow();
    BringWindowToTop(mainFrame_->hwnd());
    utility::usystem::showWndOnTop(mainFrame_->hwnd());
  }
  SDKAPIImpl::instance()->initOffer(app::offerChannel(DownloaderModel::instance()->openid()));
}

std::int32_t DownloaderImpl::onHandleWindowIPC(UINT message, WPARAM wParam, LPARAM lParam) {
  writeLog("DownloaderImpl::onHandleWindowIPC", __LINE__, L"onHandleWindowIPC, msg = %d", static_cast<int>(message));
  if (message == kHandOverMessage) showMainFrame();
  return 0;
}
