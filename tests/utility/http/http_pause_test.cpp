// pause from another thread while the worker's transfer is blocked or running.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <chrono>

#include "tests/utility/http/http_fixture.h"
#include "utility/worker_thread.h"

namespace zxtest {
namespace {

using utility::CHttpClientWrapper;

struct CountingProgress : CHttpClientWrapper::IHttpDownloadSink {
  bool onDownloadProgress(const char*, int, int rec, int) override {
    received = rec;
    return true;
  }
  bool onDownloadFinished() override { return true; }
  std::atomic<int> received{0};
};

// One download on a worker thread, attached to the client or not (then the client stops
// through its own stop holder). Always a WorkerThread, so that a download that never returns
// can be terminated instead of being left running against a destroyed client. stopFirst: the
// worker's stop is requested just before the download begins.
class Download {
 public:
  Download(CHttpClientWrapper& client, const std::filesystem::path& file, const std::wstring& url, bool socket,
           bool attach, bool stopFirst = false)
      : client_(client) {
    auto body = [this, file, url, socket, stopFirst] {
      if (stopFirst) worker_.requestStop();
      ok_ = client_.download2file_ex(&progress, file.wstring(), url, 0, 3, 50, socket);
      done_ = true;
    };
    if (attach) client_.attachWorker(&worker_);
    utility::RunablePtr task = utility::makeTask(body);
    worker_.start(task);
  }
  ~Download() {
    // A test that failed must not hang here: give up on a worker that never returned.
    worker_.stop(finishesWithin(10000) ? INFINITE : 0);
  }
  // Waits for the download to end by itself.
  bool finishesWithin(int ms) {
    for (int waited = 0; waited < ms && !done_; waited += 5) Sleep(5);
    return done_;
  }
  bool ok() const { return ok_; }
  CountingProgress progress;

 private:
  CHttpClientWrapper& client_;
  utility::WorkerThread worker_;
  std::atomic<bool> done_{false};
  std::atomic<bool> ok_{false};
};

// The socket route: the worker is blocked in recv on a connection that has gone silent.
TEST_F(HttpTest, PauseDuringABlockedReadEndsWithoutRetry) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/pkg.bin","stall_after":10000}]})");
  ASSERT_TRUE(host.started());
  for (bool attach : {true, false}) {
    SCOPED_TRACE(attach ? "attached worker" : "own worker");
    LogCapture log;
    size_t before = host.journal().size();
    CHttpClientWrapper client;
    Download download(client, target(), host.httpUrl(L"/pkg.bin"), true, attach);
    for (int waited = 0; waited < 10000 && download.progress.received < 10000; waited += 5) Sleep(5);
    ASSERT_EQ(download.progress.received, 10000) << "the transfer stalls after 10000 bytes";
    Sleep(100);
    client.pause();
    ASSERT_TRUE(download.finishesWithin(2000));
    EXPECT_FALSE(download.ok());
    EXPECT_EQ(host.journal().size(), before + 1) << "no retry after pause";
    EXPECT_TRUE(log.contains(L"utility::CHttpClientWrapper::download2file_ex: m_bPause is true"));
  }
}

// The WinInet route. On Windows, closing the request handle aborts a blocked InternetReadFile
// at once; Wine's WinInet lets the read run until its buffer is full or the data ends, and
// only the next call fails. So here the server keeps dripping and the call must end as soon
// as that read returns, without a retry.
TEST_F(HttpTest, PauseDuringASlowWinInetReadEndsWithoutRetry) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/pkg.bin","drip":[2000,20]}]})");
  ASSERT_TRUE(host.started());
  LogCapture log;
  CHttpClientWrapper client;
  Download download(client, target(), host.httpUrl(L"/pkg.bin"), false, true);
  for (int waited = 0; waited < 10000 && download.progress.received < 32768; waited += 5) Sleep(5);
  ASSERT_GE(download.progress.received, 32768);
  client.pause();
  ASSERT_TRUE(download.finishesWithin(3000));
  EXPECT_FALSE(download.ok());
  EXPECT_EQ(host.journal().size(), 1u);
  EXPECT_TRUE(log.contains(L"utility::CHttpClientWrapper::download2file_ex: m_bPause is true"));
}

// The owner's stop can land after its last check and before the next attempt connects (the
// worker going on to its next route). That attempt must end at once, not wait on a server that
// sends nothing: the stop has no data callback to refuse, and terminating the worker is what
// the owner's wait is there to avoid.
TEST_F(HttpTest, StopRequestedBeforeTheAttemptEndsItWithoutARequest) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/pkg.bin","stall_after":0}]})");
  ASSERT_TRUE(host.started());
  for (bool socket : {true, false}) {
    SCOPED_TRACE(socket ? "socket" : "wininet");
    CHttpClientWrapper client;
    Download download(client, target(), host.httpUrl(L"/pkg.bin"), socket, true, true);
    ASSERT_TRUE(download.finishesWithin(3000)) << "the attempt waits on a silent server";
    EXPECT_FALSE(download.ok());
    EXPECT_TRUE(host.journal().empty()) << "no request once the stop is known";
  }
}

TEST_F(HttpTest, PauseAtRandomMomentsIsSafe) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/drip*","file":"pkg.bin","drip":[16384,3]},
                                              {"path":"/slowstart*","file":"pkg.bin","drip":[1000,10]}]})");
  ASSERT_TRUE(host.started());
  std::mt19937 random(12345);
  const int kRounds = 80;
  for (int round = 0; round < kRounds; ++round) {
    bool socket = random() % 2 == 0;
    bool attach = random() % 4 != 0;
    std::wstring path = (random() % 3 == 0 ? L"/slowstart" : L"/drip") + std::to_wstring(round);
    SCOPED_TRACE(round);
    // Printed as it goes, so a hang names its round, route and moment.
    unsigned delay = random() % 40;
    std::printf("round %d: %s, %s, pause after %u ms\n", round, socket ? "socket" : "wininet",
                attach ? "attached worker" : "own worker", delay);
    std::fflush(stdout);
    CHttpClientWrapper client;
    Download download(client, target(), host.httpUrl(path), socket, attach);
    Sleep(delay);
    client.pause();
    ASSERT_TRUE(download.finishesWithin(5000)) << "the worker hangs after pause";
    if (!download.ok()) {
      EXPECT_LE(host.requestsTo(std::string(path.begin(), path.end())).size(), 1u) << "retried after pause";
    }
  }
  // The host saw at most one request per round.
  EXPECT_LE(host.journal().size(), static_cast<size_t>(kRounds));
}

}  // namespace
}  // namespace zxtest
