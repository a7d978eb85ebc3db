// Move-only owners for Windows handles. Handles whose invalid value is NULL (events, threads,
// processes, mutexes) and those whose invalid value is INVALID_HANDLE_VALUE (files, find and
// device handles) are different types, so a failed CreateEvent is never taken for a valid one.
#pragma once

#include <windows.h>

#include <utility>

namespace utility {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

  Handle release() noexcept { return std::exchange(handle_, Traits::invalid()); }

  // Closing keeps the thread's last error: callers close and then log the error they hit.
  void reset(Handle handle = Traits::invalid()) noexcept {
    if (handle_ != Traits::invalid()) {
      DWORD lastError = GetLastError();
      Traits::close(handle_);
      SetLastError(lastError);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { CloseHandle(h); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) noexcept { CloseHandle(h); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { RegCloseKey(h); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { FreeLibrary(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueRegKey = UniqueHandle<RegistryKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;

}  // namespace utility
