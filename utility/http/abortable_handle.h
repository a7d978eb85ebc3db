// Owners for the handles of a connection that another thread may close while a call on them
// is blocked (the client's stop). Whoever takes the handle out of the atomic slot closes it,
// so a handle is closed exactly once however close and a new connect interleave.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <atomic>

namespace utility {

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { InternetCloseHandle(h); }
};

struct SocketTraits {
  using Handle = SOCKET;
  static Handle invalid() noexcept { return INVALID_SOCKET; }
  // shutdown first: it wakes a recv blocked on another thread before the handle goes away.
  static void close(Handle h) noexcept {
    shutdown(h, SD_BOTH);
    closesocket(h);
  }
};

template <typename Traits>
class AbortableHandle {
 public:
  using Handle = typename Traits::Handle;

  AbortableHandle() = default;
  ~AbortableHandle() { reset(); }
  AbortableHandle(const AbortableHandle&) = delete;
  AbortableHandle& operator=(const AbortableHandle&) = delete;

  Handle get() const noexcept { return handle_.load(); }
  bool valid() const noexcept { return get() != Traits::invalid(); }

  // Stores a fresh handle; if the connection was closed meanwhile (abort), closes it at once
  // and reports false, so the worker never goes on with a connection that was stopped.
  bool adopt(Handle handle, const std::atomic<bool>& closed) noexcept {
    reset(handle);
    if (closed.load()) {
      reset();
      SetLastError(ERROR_OPERATION_ABORTED);
      return false;
    }
    return handle != Traits::invalid();
  }

  // Closes the current handle, keeping the thread's last error for the caller's log line.
  void reset(Handle handle = Traits::invalid()) noexcept {
    Handle old = handle_.exchange(handle);
    if (old != Traits::invalid()) {
      DWORD lastError = GetLastError();
      int socketError = WSAGetLastError();
      Traits::close(old);
      WSASetLastError(socketError);
      SetLastError(lastError);
    }
  }

 private:
  std::atomic<Handle> handle_{Traits::invalid()};
};

}  // namespace utility
