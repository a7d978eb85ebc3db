// The package download against the vendor host stand-in: routes, resume, digest, totals,
// the address wait and shutdown in the middle of a transfer.
#include <fstream>

#include "telemetry/md5.h"
#include "tests/model/model_fixture.h"

namespace {

using zxtest::ModelTest;
using zxtest::readFile;
using zxtest::VendorHost;
using zxtest::writeFile;

std::string md5Of(const std::string& bytes) {
  std::string hex;
  telemetry::md5Hex(bytes.data(), static_cast<int>(bytes.size()), hex);
  return hex;
}

class PackageDownload : public ModelTest {
 protected:
  // Starts the host with a scenario, the model with the package at /pkg.exe over plain HTTP
  // (so that route 2, the socket connection, reaches the same listener), and waits for the query.
  DownloaderModel* ready(const std::string& scenario, const std::string& md5 = "") {
    host_ = std::make_unique<VendorHost>(served.path(), scenario);
    if (!host_->started()) return nullptr;
    serveVersionDocument(host_->httpUrl(L"/pkg.exe"), md5);
    DownloaderModel* model = startModel(*host_, L"zentrix4_en_1234_x.exe");
    return waitForQuery(model) ? model : nullptr;
  }
  std::unique_ptr<VendorHost> host_;
};

TEST_F(PackageDownload, FirstRouteDeliversThePackage) {
  DownloaderModel* model = ready("{}", md5Of(package));
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_FALSE(callbacks.offThread);
  EXPECT_EQ(readFile(packagePath()), package);
  EXPECT_FALSE(std::filesystem::exists(packagePath().string() + ".tmp"));
  ASSERT_TRUE(zxtest::pumpUntil([&] { return !callbacks.progress.empty() && callbacks.progress.back().percent == 100; }));
  EXPECT_EQ(callbacks.progress.back().total, 300000000);
  EXPECT_EQ(events.all(), std::vector<std::wstring>{L"download_Success=1234_0"});
  EXPECT_EQ(host_->requestsTo("/pkg.exe").size(), 1u);
}

TEST_F(PackageDownload, SocketRouteAfterTheFirstFails) {
  DownloaderModel* model = ready(R"({"rules":[{"path":"/pkg.exe","times":2,"status":500}]})");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_EQ(readFile(packagePath()), package);
  // Two failed attempts of route 1 and their waits take over a second: the next half minute.
  EXPECT_EQ(events.all(), (std::vector<std::wstring>{L"download_Success_socket=1234", L"download_Success=1234_30"}));
  auto requests = host_->requestsTo("/pkg.exe");
  ASSERT_EQ(requests.size(), 3u);
  // The socket connection writes its own request: its user agent is the installer's.
  EXPECT_EQ(requests[2].header("User-Agent"), "okhttp/3.5.0L");
  EXPECT_TRUE(log.contains(L"DownloaderModel::_downloadByENUrl: download 1 error"));
  EXPECT_FALSE(log.contains(L"DownloaderModel::_downloadByENUrl: download 2 error"));
}

TEST_F(PackageDownload, EveryRouteFailing) {
  DownloaderModel* model =
      ready(R"({"rules":[{"path":"/pkg.exe","status":500},{"path":"/default.exe","status":404}]})");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.failed, 1);
  EXPECT_EQ(callbacks.succeeded, 0);
  EXPECT_EQ(events.all(), std::vector<std::wstring>{L"download_Error=1234_30"});
  EXPECT_EQ(host_->requestsTo("/pkg.exe").size(), 4u);
  EXPECT_EQ(host_->requestsTo("/default.exe").size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(packagePath()));
}

TEST_F(PackageDownload, ResumesAfterDropsToAnIdenticalFile) {
  DownloaderModel* model = ready(R"({"rules":[{"path":"/pkg.exe","times":1,"drop_after":100000}]})");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_EQ(readFile(packagePath()), package);
  auto requests = host_->requestsTo("/pkg.exe");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[0].hasHeader("Range"));
  EXPECT_EQ(requests[1].header("Range"), "bytes=100000-");
}

TEST_F(PackageDownload, DigestMismatchFallsThroughToTheDefaultAddress) {
  DownloaderModel* model = ready("{}", "00112233445566778899aabbccddeeff");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  // Both routes of the queried address deliver a file that does not match; the default
  // address is not held to that digest.
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_EQ(host_->requestsTo("/pkg.exe").size(), 2u);
  EXPECT_EQ(host_->requestsTo("/default.exe").size(), 1u);
  EXPECT_EQ(events.count(L"download_Success_socket=1234"), 0);
  const std::string actual = md5Of(package);
  EXPECT_EQ(log.countStartingWith(L"DownloaderModel::packageMatchesDigest: md5 mismatch, expected "
                                  L"00112233445566778899aabbccddeeff, file has " +
                                  std::wstring(actual.begin(), actual.end())),
            2);
}

TEST_F(PackageDownload, NoLengthMeasuredAgainstTheAssumedTotal) {
  DownloaderModel* model = ready(R"({"rules":[{"path":"/pkg.exe","length":"none"}]})");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(readFile(packagePath()), package);
  ASSERT_GE(callbacks.progress.size(), 1u);
  // The first piece always posts (the throttle starts from 0 at each download).
  EXPECT_EQ(callbacks.progress.front().total, 300000000);
  EXPECT_EQ(callbacks.progress.front().percent, callbacks.progress.front().received / 3000000);
}

TEST_F(PackageDownload, ExistingPackageIsReplaced) {
  std::filesystem::create_directories(packagePath().parent_path());
  writeFile(packagePath(), "an older package");
  DownloaderModel* model = ready("{}");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(readFile(packagePath()), package);
}

TEST_F(PackageDownload, FailedMoveIsAFailedDownload) {
  DownloaderModel* model = ready("{}");
  ASSERT_NE(model, nullptr);
  // A folder where the package file belongs cannot be replaced by the move.
  std::filesystem::create_directories(packagePath() / "occupied");
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.failed, 1);
  EXPECT_EQ(events.all(), std::vector<std::wstring>{L"download_Error=1234_0"});
  EXPECT_EQ(log.countStartingWith(L"utility::ufile::moveFile: move file from ["), 1);
  EXPECT_FALSE(log.contains(L"DownloaderModel::_downloadByENUrl: download file success file = " +
                            packagePath().wstring()));
}

TEST_F(PackageDownload, StalledTransferIsAbortedAndResumed) {
  // The stall is met on the socket route: Wine's WinInet, unlike Windows', does not end a
  // blocked read when another thread closes the request handle, so under Wine the watchdog
  // can only be shown on the installer's own connection.
  DownloaderModel* model = ready(R"({"rules":[{"path":"/pkg.exe","times":2,"status":500},)"
                                 R"({"path":"/pkg.exe","times":1,"stall_after":120000}]})");
  ASSERT_NE(model, nullptr);
  model->setStallTimeout(2000);
  DWORD start = GetTickCount();
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome(20000));
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_GE(GetTickCount() - start, 2000u);
  EXPECT_EQ(readFile(packagePath()), package);
  auto requests = host_->requestsTo("/pkg.exe");
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_FALSE(requests[2].hasHeader("Range"));
  EXPECT_EQ(requests[3].header("Range"), "bytes=120000-");
  EXPECT_EQ(events.count(L"download_Success_socket=1234"), 1);
}

TEST_F(PackageDownload, AddressArrivingDuringTheWait) {
  // The version document trickles in over about three seconds.
  host_ = std::make_unique<VendorHost>(served.path(), R"({"rules":[{"path":"/version.json","drip":[20,300]}]})");
  ASSERT_TRUE(host_->started());
  serveVersionDocument(host_->httpUrl(L"/pkg.exe"));
  DownloaderModel* model = startModel(*host_, L"zentrix4_en_1234_x.exe");
  model->startDownloadPlayer();
  ASSERT_FALSE(model->versionQueryFinished());
  ASSERT_TRUE(waitForOutcome());
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_EQ(events.count(L"download_defaultUrl=1234"), 0);
  EXPECT_EQ(host_->requestsTo("/default.exe").size(), 0u);
}

TEST_F(PackageDownload, NoAddressFallsBackOnTheEighthTickThenOnTheFirst) {
  host_ = std::make_unique<VendorHost>(served.path(), R"({"rules":[{"path":"/version.json","status":404}]})");
  ASSERT_TRUE(host_->started());
  DownloaderModel* model = startModel(*host_, L"zentrix4_en_1234_x.exe");
  ASSERT_TRUE(waitForQuery(model));
  DWORD start = GetTickCount();
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 7500u);
  EXPECT_EQ(callbacks.succeeded, 1);
  EXPECT_EQ(events.count(L"download_defaultUrl=1234"), 1);
  EXPECT_EQ(model->playerUrl(), host_->httpsUrl(L"/default.exe"));

  // The tick counter is never reset: the next wait in this process ends on its first tick.
  DownloaderModel::destroyModel();
  callbacks = zxtest::Callbacks{};
  callbacks.windowThread = GetCurrentThreadId();
  model = startModel(*host_, L"zentrix4_en_1234_x.exe");
  ASSERT_TRUE(waitForQuery(model));
  start = GetTickCount();
  model->startDownloadPlayer();
  ASSERT_TRUE(waitForOutcome());
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_EQ(events.count(L"download_defaultUrl=1234"), 2);
}

TEST_F(PackageDownload, DestroyDuringTheDownloadStopsQuicklyAndDropsCallbacks) {
  DownloaderModel* model = ready(R"({"rules":[{"path":"/pkg.exe","drip":[1000,100]}]})");
  ASSERT_NE(model, nullptr);
  model->startDownloadPlayer();
  ASSERT_TRUE(zxtest::pumpUntil([&] { return !callbacks.progress.empty(); }, 10000));
  // Let the worker post a few more progress tasks that stay queued while destroyModel runs.
  Sleep(1500);
  size_t seen = callbacks.progress.size();
  DWORD start = GetTickCount();
  DownloaderModel::destroyModel();
  EXPECT_LT(GetTickCount() - start, 1500u);
  zxtest::pumpFor(1500);
  EXPECT_EQ(callbacks.progress.size(), seen);
  EXPECT_EQ(callbacks.succeeded + callbacks.failed, 0);
  // After shutdown no event is sent, not even the worker's own outcome.
  for (const std::wstring& event : events.all()) EXPECT_EQ(event.find(L"download_Error"), std::wstring::npos);
}

TEST_F(PackageDownload, NoCallbacksSetIsHarmless) {
  host_ = std::make_unique<VendorHost>(served.path());
  ASSERT_TRUE(host_->started());
  serveVersionDocument(host_->httpUrl(L"/pkg.exe"));
  DownloaderModel* model = DownloaderModel::instance();
  model->setAddresses({host_->httpsUrl(L"/version.json"), L"", host_->httpsUrl(L"/default.exe")});
  model->setEventSink(std::make_unique<zxtest::RecordingSink>(events));
  model->initFrom(L"zentrix4_en_1234_x.exe", L"");
  model->setInstallPath(install.path().wstring() + L"\\Zentrix\\");
  ASSERT_TRUE(waitForQuery(model));
  model->startDownloadPlayer();
  ASSERT_TRUE(zxtest::pumpUntil([&] { return events.count(L"download_Success=1234_0") == 1; }, 20000));
  zxtest::pumpFor(300);
  EXPECT_EQ(model->percent(), 100);
}

}  // namespace
