// The connections' life cycle on their own: closing is harmless in any state, a closed
// connection stays closed, and a failed status query fails recvHeader.
#include <gtest/gtest.h>

#include "tests/utility/http/http_fixture.h"
#include "utility/http/tcp_http_conn.h"
#include "utility/http/wininet_http_conn.h"

namespace zxtest {
namespace {

template <typename Connection>
void closeIsHarmlessInAnyState() {
  utility::ConnectionPtr fresh(new Connection());
  fresh->close();
  fresh->close();
  utility::ConnectionPtr opened(new Connection());
  ASSERT_TRUE(opened->open());
  opened->close();
  opened->close();
  EXPECT_FALSE(opened->open()) << "a stopped connection is not reopened";
  char buffer[16];
  EXPECT_EQ(opened->read(buffer, sizeof(buffer)), -1);
}

TEST_F(HttpTest, CloseIsHarmlessInAnyState) {
  closeIsHarmlessInAnyState<utility::CWinInetHttpConn>();
  closeIsHarmlessInAnyState<utility::CWinInetHttpsConn>();
  closeIsHarmlessInAnyState<utility::CTcpHttpConn>();
}

TEST_F(HttpTest, RecvHeaderFailsWithoutARequest) {
  utility::ConnectionPtr connection(new utility::CWinInetHttpConn());
  ASSERT_TRUE(connection->open());
  std::string text;
  int status = 0;
  int length = 0;
  EXPECT_FALSE(connection->recvHeader(text, status, length));
}

TEST_F(HttpTest, SocketConnectionOpensOnceAndNeverPosts) {
  utility::ConnectionPtr connection(new utility::CTcpHttpConn());
  ASSERT_TRUE(connection->open());
  EXPECT_FALSE(connection->open());
  EXPECT_FALSE(connection->sendPost(L"/", L"", "x", 1));
  EXPECT_FALSE(connection->connect(L"", 80));
}

}  // namespace
}  // namespace zxtest
