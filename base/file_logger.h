// The log file writer: callers hand finished lines to an in-memory buffer, one writer thread
// moves the buffer to the file in batches. Windows-free (std::thread and C stdio).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace common {

class FileLogger {
 public:
  static constexpr std::uint32_t kFlushThreshold = 4096;
  static constexpr long kTruncateAt = 4 * 1024 * 1024;
  static constexpr int kWritePeriodMs = 500;

  explicit FileLogger(std::filesystem::path path);
  ~FileLogger();
  FileLogger(const FileLogger&) = delete;
  FileLogger& operator=(const FileLogger&) = delete;

  // Any thread. Drops the text while more than kFlushThreshold bytes already wait, so a
  // burst of logging can never grow memory or stall the caller on the file.
  void append(std::string_view text);

  // Writes what is pending and ends the writer. The process calls it on its way out so the
  // last lines before exit (where exit and failure lines are) reach the file.
  void stop();

 private:
  void writerLoop(std::filesystem::path path);

  std::atomic<bool> writerStop_{false};
  std::string pending_;
  // Mirrors pending_.size() so the drop test can be made without the lock.
  std::atomic<std::size_t> pendingSize_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread writer_;
};

}  // namespace common
