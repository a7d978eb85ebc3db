// The download client through the real connections under Wine, against the vendor host.
#include <gtest/gtest.h>

#include "tests/utility/http/http_fixture.h"

namespace zxtest {
namespace {

using utility::CHttpClientWrapper;

struct Route {
  const char* name;
  bool socket;
};
const Route kRoutes[] = {{"wininet", false}, {"socket", true}};

const wchar_t kError[] = L"utility::CHttpDownload2FileSink::onHttpError: CHttpDownload2FileSink http code ";

bool fetch(CHttpClientWrapper& client, RecordingProgress* progress, const std::filesystem::path& file,
           const std::wstring& url, bool socket, int retries = 1) {
  return client.download2file_ex(progress, file.wstring(), url, 0, retries, 10, socket);
}

TEST_F(HttpTest, DocumentOverEveryRoute) {
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  std::string body;
  EXPECT_TRUE(client.download2mem(body, host.httpUrl(L"/doc.json")));
  EXPECT_EQ(body, "{\"ok\":true}");
  body.clear();
  EXPECT_TRUE(client.download2mem(body, host.httpsUrl(L"/doc.json"))) << "TLS to a certificate naming another host";
  EXPECT_EQ(body, "{\"ok\":true}");
  auto requests = host.requestsTo("/doc.json");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].scheme, "http");
  EXPECT_EQ(requests[1].scheme, "https");
  for (const auto& r : requests) {
    EXPECT_EQ(r.header("User-Agent"), "okhttp/3.5.0L");
    EXPECT_EQ(r.header("Content-Type"), "application/x-www-form-urlencoded");
  }
}

TEST_F(HttpTest, SocketRequestBytesAreExact) {
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  // An https address on the socket route is fetched as http from the same host.
  std::wstring url = L"https://127.0.0.1:" + std::to_wstring(host.httpPort()) + L"/pkg.bin";
  ASSERT_TRUE(fetch(client, nullptr, target(), url, true));
  EXPECT_EQ(readFile(target()), package);
  auto requests = host.journal();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].raw,
            "GET /pkg.bin HTTP/1.1\r\nHost:127.0.0.1\r\nCache-Control:no-cache\r\nPragma:no-cache\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\nUser-Agent: okhttp/3.5.0L\r\n\r\n");
}

TEST_F(HttpTest, BodyLengthAndCoding) {
  VendorHost host(served.path(), R"({"rules":[
    {"path":"/exact","file":"pkg.bin"},
    {"path":"/lower","file":"pkg.bin","length":"lower"},
    {"path":"/none","file":"pkg.bin","length":"none","drip":[50000,20]},
    {"path":"/chunked","file":"pkg.bin","chunked":[4,40000,3,70000],"split":9000},
    {"path":"/extended","file":"pkg.bin","chunked":[1000],"chunk_ext":";q=1","chunk_upper":true}]})");
  ASSERT_TRUE(host.started());
  struct Case {
    const wchar_t* path;
    int wininetTotal;  // WinInet reads the length in any spelling
    int socketTotal;
  } cases[] = {{L"/exact", 200000, 200000},
               {L"/lower", 200000, -1},
               {L"/none", -1, -1},
               {L"/chunked", -1, -1},
               {L"/extended", -1, -1}};
  for (const Route& route : kRoutes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(route.name) + " " + std::string(c.path, c.path + wcslen(c.path)));
      CHttpClientWrapper client;
      RecordingProgress progress;
      ASSERT_TRUE(fetch(client, &progress, target(), host.httpUrl(c.path), route.socket));
      EXPECT_EQ(readFile(target()), package);
      ASSERT_FALSE(progress.calls.empty());
      EXPECT_EQ(progress.calls.back().total, route.socket ? c.socketTotal : c.wininetTotal);
      EXPECT_EQ(progress.calls.back().received, 200000);
      EXPECT_EQ(progress.finished, 1);
    }
  }
}

TEST_F(HttpTest, DeclaredLengthNotReachedFailsWithCode19) {
  VendorHost host(served.path(), R"({"rules":[
    {"path":"/empty","body":""},
    {"path":"/short","file":"pkg.bin","length":300000}]})");
  ASSERT_TRUE(host.started());
  for (const Route& route : kRoutes) {
    for (const wchar_t* path : {L"/empty", L"/short"}) {
      SCOPED_TRACE(route.name);
      LogCapture log;
      CHttpClientWrapper client;
      EXPECT_FALSE(fetch(client, nullptr, target(), host.httpUrl(path), route.socket));
      EXPECT_EQ(log.countStartingWith(std::wstring(kError) + L"19,"), 1);
    }
  }
}

TEST_F(HttpTest, ErrorStatusIsRetriedWithoutAnErrorCallback) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/gone","status":500,"times":1},{"path":"/gone","file":"pkg.bin"}]})");
  ASSERT_TRUE(host.started());
  for (const Route& route : kRoutes) {
    SCOPED_TRACE(route.name);
    LogCapture log;
    CHttpClientWrapper client;
    EXPECT_FALSE(fetch(client, nullptr, target(), host.httpUrl(L"/missing.bin"), route.socket, 2));
    EXPECT_EQ(log.countStartingWith(kError), 0);
    EXPECT_EQ(log.countStartingWith(L"utility::CHttpDownload2FileSink::onHttpRecvHeader: onHttpRecvHeader error"), 2);
  }
  EXPECT_EQ(host.requestsTo("/missing.bin").size(), 4u);
  // A 500 followed by a good answer: the retry succeeds.
  CHttpClientWrapper client;
  EXPECT_TRUE(fetch(client, nullptr, target(), host.httpUrl(L"/gone"), false, 2));
}

TEST_F(HttpTest, RetryCountZeroSendsNothing) {
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  EXPECT_FALSE(client.download2file_ex(nullptr, target().wstring(), host.httpUrl(L"/pkg.bin"), 0, 0, 10, false));
  EXPECT_FALSE(client.download2file_ex(nullptr, target().wstring(), host.httpUrl(L"/pkg.bin"), 0, -1, 10, true));
  EXPECT_TRUE(host.journal().empty());
}

TEST_F(HttpTest, AddressWithoutPathIsSentWhole) {
  VendorHost host(served.path(), R"({"rules":[{"path":"*","body":"root"}]})");
  ASSERT_TRUE(host.started());
  for (const Route& route : kRoutes) {
    SCOPED_TRACE(route.name);
    CHttpClientWrapper client;
    std::wstring url = L"http://127.0.0.1:" + std::to_wstring(host.httpPort());
    EXPECT_TRUE(fetch(client, nullptr, target(), url, route.socket));
    EXPECT_EQ(readFile(target()), "root");
    auto requests = host.journal();
    ASSERT_FALSE(requests.empty());
    std::string whole(url.begin(), url.end());
    if (route.socket) {
      EXPECT_EQ(requests.back().target(), whole);
    } else {
      // Wine's WinInet puts a "/" before and after an absolute object name; Windows sends it
      // as given. Either way the whole address goes out as the target.
      EXPECT_NE(requests.back().target().find(whole), std::string::npos);
    }
  }
}

TEST_F(HttpTest, ResumeAfterADropGivesTheSameFile) {
  const Route routes[] = {{"wininet", false}, {"socket", true}, {"tls", false}};
  for (const Route& route : routes) {
    bool tls = route.name == std::string("tls");
    for (const char* range : {"honor", "ignore"}) {
      SCOPED_TRACE(std::string(route.name) + " range " + range);
      VendorHost host(served.path(), std::string(R"({"rules":[{"path":"/pkg.bin","times":1,"drop_after":70000},
                                                               {"path":"/pkg.bin","range":")") + range + R"("}]})");
      ASSERT_TRUE(host.started());
      CHttpClientWrapper client;
      RecordingProgress progress;
      std::wstring url = tls ? host.httpsUrl(L"/pkg.bin") : host.httpUrl(L"/pkg.bin");
      ASSERT_TRUE(fetch(client, &progress, target(), url, route.socket, 3));
      EXPECT_EQ(readFile(target()), package);
      auto requests = host.journal();
      ASSERT_EQ(requests.size(), 2u);
      EXPECT_FALSE(requests[0].hasHeader("Range"));
      EXPECT_EQ(requests[1].header("Range"), "bytes=70000-");
      // The first piece of the second attempt: counts continue from the partial file when the
      // server honours Range; a server that ignores it sends everything again from the start.
      size_t firstOfSecond = 0;
      int seen = 0;
      for (size_t i = 0; i < progress.calls.size(); ++i) {
        seen += progress.calls[i].size;
        if (seen >= 70000) {
          firstOfSecond = i + 1;
          break;
        }
      }
      ASSERT_LT(firstOfSecond, progress.calls.size());
      const auto& first = progress.calls[firstOfSecond];
      EXPECT_EQ(first.received, (range == std::string("honor") ? 70000 : 0) + first.size);
      EXPECT_EQ(first.total, 200000);
      EXPECT_EQ(progress.calls.back().received, 200000);
    }
  }
}

TEST_F(HttpTest, EmptyPartialFileIsRewrittenWithoutRange) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/pkg.bin","times":1,"drop_after":0}]})");
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  ASSERT_TRUE(fetch(client, nullptr, target(), host.httpUrl(L"/pkg.bin"), true, 2));
  EXPECT_EQ(readFile(target()), package);
  auto requests = host.journal();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[1].hasHeader("Range"));
}

TEST_F(HttpTest, SocketFollowsOnlyMovedAndFoundOnAFreshConnection) {
  VendorHost host(served.path(), R"({"rules":[
    {"path":"/r","times":1,"file":"pkg.bin","drop_after":50000},
    {"path":"/r","status":302,"location":"{http}/r2","location_name":"LoCaTiOn"},
    {"path":"/r2","status":301,"location":"/pkg.bin","location_name":"location"},
    {"path":"/see","status":303,"location":"{http}/pkg.bin"},
    {"path":"/temp","status":307,"location":"{http}/pkg.bin"},
    {"path":"/loop","status":302,"location":"{http}/loop"},
    {"path":"/nolocation","status":302}]})");
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  ASSERT_TRUE(fetch(client, nullptr, target(), host.httpUrl(L"/r"), true, 2));
  EXPECT_EQ(readFile(target()), package) << "the redirected answer is whole; it replaces the partial file";
  auto requests = host.journal();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1].header("Range"), "bytes=50000-");
  for (int i : {2, 3}) {
    EXPECT_NE(requests[i].connection, requests[i - 1].connection) << "fresh connection";
    EXPECT_FALSE(requests[i].hasHeader("Range")) << "the caller's headers stay behind";
    EXPECT_EQ(requests[i].header("User-Agent"), "okhttp/3.5.0L");
  }
  EXPECT_EQ(requests[3].target(), "/pkg.bin");

  for (const wchar_t* path : {L"/see", L"/temp", L"/loop", L"/nolocation"}) {
    LogCapture log;
    EXPECT_FALSE(fetch(client, nullptr, target(), host.httpUrl(path), true));
    std::string name(path, path + wcslen(path));
    if (name == "/loop") {
      EXPECT_EQ(host.requestsTo("/loop").size(), 11u) << "ten redirects, then the attempt fails";
      EXPECT_EQ(log.countStartingWith(std::wstring(kError) + L"17,"), 1);
    } else if (name == "/nolocation") {
      EXPECT_EQ(log.countStartingWith(std::wstring(kError) + L"17,"), 1);
    } else {
      EXPECT_EQ(host.requestsTo(name).size(), 1u) << name << " is handed back as it came";
      EXPECT_EQ(log.countStartingWith(kError), 0);
    }
  }
}

TEST_F(HttpTest, MemoryDownloads) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/flaky","status":500,"times":1},
                                              {"path":"/flaky","body":"second"},
                                              {"path":"/down","status":500}]})");
  ASSERT_TRUE(host.started());
  CHttpClientWrapper client;
  std::string body = "stale";
  // Two attempts; the target is cleared before each, so nothing of a failed one remains.
  EXPECT_TRUE(client.download2mem(body, host.httpUrl(L"/flaky")));
  EXPECT_EQ(body, "second");
  EXPECT_FALSE(client.download2mem(body, host.httpUrl(L"/down")));
  EXPECT_EQ(host.requestsTo("/down").size(), 2u);
  // One attempt that appends; the analytics hits go to "/collect" with their query.
  body = "x";
  EXPECT_TRUE(client.download2memOnce(body, host.httpUrl(L"/collect?v=1&t=event")));
  EXPECT_EQ(body, "xok");
  EXPECT_FALSE(client.download2memOnce(body, host.httpUrl(L"/down")));
  EXPECT_EQ(host.requestsTo("/down").size(), 3u);
  auto hits = host.requestsTo("/collect");
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].target(), "/collect?v=1&t=event");
}

TEST_F(HttpTest, EndlessHeaderEndsTheAttempt) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/endless","endless_header":true}]})");
  ASSERT_TRUE(host.started());
  LogCapture log;
  CHttpClientWrapper client;
  EXPECT_FALSE(fetch(client, nullptr, target(), host.httpUrl(L"/endless"), true));
  EXPECT_EQ(log.countStartingWith(std::wstring(kError) + L"17,"), 1);
}

TEST_F(HttpTest, ProgressSinkCanAbort) {
  VendorHost host(served.path());
  ASSERT_TRUE(host.started());
  for (const Route& route : kRoutes) {
    CHttpClientWrapper client;
    RecordingProgress progress;
    progress.refuseAfter = 1;
    EXPECT_FALSE(fetch(client, &progress, target(), host.httpUrl(L"/pkg.bin"), route.socket));
    EXPECT_EQ(progress.calls.size(), 2u);
    EXPECT_EQ(progress.finished, 0);
  }
}

}  // namespace
}  // namespace zxtest
