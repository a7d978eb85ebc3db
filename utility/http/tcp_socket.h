// One TCP socket handle and sending on it.
#pragma once

#include <atomic>
#include <string>

#include "utility/http/abortable_handle.h"

namespace utility {

class CTcpSocket {
 public:
  CTcpSocket() = default;
  virtual ~CTcpSocket() = default;
  CTcpSocket(const CTcpSocket&) = delete;
  CTcpSocket& operator=(const CTcpSocket&) = delete;

  // Sends every byte, going on after partial sends; a send of 0 or less fails.
  bool send(const std::string& bytes);

  AbortableHandle<SocketTraits>& handle() { return handle_; }

 private:
  AbortableHandle<SocketTraits> handle_;
};

}  // namespace utility
