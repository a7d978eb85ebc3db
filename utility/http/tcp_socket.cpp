#include "utility/http/tcp_socket.h"

namespace utility {

bool CTcpSocket::send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    size_t left = bytes.size() - sent;
    int chunk = left > 0x40000000 ? 0x40000000 : static_cast<int>(left);
    int n = ::send(handle_.get(), bytes.data() + sent, chunk, 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace utility
