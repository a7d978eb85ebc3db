// The download client through the real connections under Wine, against the vendor host.
#include <gtest/gtest.h>

#include "tests/utility/http/http_fixture.h"

namespace zxtest {
namespace {

using utility::CHttpClientWrapper;

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

}  // namespace
}  // namespace zxtest
