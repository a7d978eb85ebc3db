// The workflow model in a test process: the task dispatcher on the test thread, the vendor host
// serving a folder of documents and packages, an event recorder in place of the tracker, and
// the window callbacks recorded as they arrive on the window thread.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "model/downloader_model.h"
#include "model/event_sink.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_folder.h"
#include "tests/support/vendor_host.h"
#include "tests/utility/http/http_fixture.h"
#include "utility/task_dispatcher.h"

namespace zxtest {

class RecordedEvents {
 public:
  void add(const std::wstring& name, const std::wstring& value) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(name + L"=" + value);
  }
  std::vector<std::wstring> all() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }
  int count(const std::wstring& event) const {
    int n = 0;
    for (const std::wstring& e : all()) n += e == event;
    return n;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::wstring> events_;
};

// Outlives the model: the model owns the sink, the sink only points here.
class RecordingSink final : public model::EventSink {
 public:
  explicit RecordingSink(RecordedEvents& events) : events_(events) {}
  void enqueue(const std::wstring& name, const std::wstring& value) override {
    if (!disabled_) events_.add(name, value);
  }
  void sendNow(const std::wstring& name, const std::wstring& value) override {
    if (!disabled_) events_.add(L"now:" + name, value);
  }
  void setTid(const std::wstring&) override {}
  void disable() override { disabled_ = true; }

 private:
  RecordedEvents& events_;
  std::atomic<bool> disabled_{false};
};

struct Callbacks {
  struct Progress {
    int percent, received, total;
  };
  std::vector<Progress> progress;
  int succeeded = 0;
  int failed = 0;
  DWORD windowThread = 0;
  bool offThread = false;
};

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    utility::TaskDispatcher::create();
    package = randomBytes(300000);
    writeFile(served.path() / "pkg.exe", package);
    writeFile(served.path() / "default.exe", package);
    callbacks.windowThread = GetCurrentThreadId();
  }
  void TearDown() override { DownloaderModel::destroyModel(); }

  // The version document naming the package at the given address (and digest, if any).
  void serveVersionDocument(const std::wstring& packageUrl, const std::string& md5 = "") {
    std::string url(packageUrl.begin(), packageUrl.end());
    std::string doc = R"({"mnq4":{"ver":"4.2","url":")" + url + R"(","url_spare":"http://127.0.0.1:1/spare")";
    if (!md5.empty()) doc += R"(,"md5":")" + md5 + R"(")";
    writeFile(served.path() / "version.json", doc + "}}");
  }

  // A model whose addresses point at the host; init runs with the given own file name.
  DownloaderModel* startModel(const VendorHost& host, const std::wstring& fileName = L"zentrix4_en_12345_x.exe",
                              const std::wstring& commandLine = L"") {
    DownloaderModel* model = DownloaderModel::instance();
    model->setAddresses({host.httpsUrl(L"/version.json"), host.httpsUrl(L"/player_files/openidconfig/"),
                         host.httpsUrl(L"/default.exe")});
    model->setEventSink(std::make_unique<RecordingSink>(events));
    wireCallbacks(model);
    model->initFrom(L"C:\\downloads\\" + fileName, commandLine);
    model->setInstallPath(install.path().wstring() + L"\\Zentrix\\");
    return model;
  }

  void wireCallbacks(DownloaderModel* model) {
    model->setOnProgress([this](int percent, int received, int total) {
      callbacks.offThread |= GetCurrentThreadId() != callbacks.windowThread;
      callbacks.progress.push_back({percent, received, total});
    });
    model->setOnDownloadSucceeded([this] {
      callbacks.offThread |= GetCurrentThreadId() != callbacks.windowThread;
      ++callbacks.succeeded;
    });
    model->setOnDownloadFailed([this] {
      callbacks.offThread |= GetCurrentThreadId() != callbacks.windowThread;
      ++callbacks.failed;
    });
  }

  bool waitForQuery(DownloaderModel* model, DWORD timeoutMs = 15000) {
    return pumpUntil([&] { return model->versionQueryFinished(); }, timeoutMs);
  }
  bool waitForOutcome(DWORD timeoutMs = 30000) {
    return pumpUntil([&] { return callbacks.succeeded + callbacks.failed > 0; }, timeoutMs);
  }
  std::filesystem::path packagePath() const { return install.path() / "Zentrix" / "Zentrix.exe"; }

  LogCapture log;  // the model's own lines, for cases that check them
  TempFolder served;
  TempFolder install;
  std::string package;
  RecordedEvents events;
  Callbacks callbacks;
};

}  // namespace zxtest
