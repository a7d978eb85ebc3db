#include "base/file_logger.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace common {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Binary mode: lines already carry their CR LF, and text mode on Windows would double the CR.
FilePtr openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return FilePtr(_wfopen(path.c_str(), wideMode.c_str()));
#else
  return FilePtr(std::fopen(path.c_str(), mode));
#endif
}

// A file that starts with a UTF-16 byte-order mark was written by an older release in UTF-16;
// appending UTF-8 to it would give a file no editor reads, so it is started again.
FilePtr openLogFile(const std::filesystem::path& path) {
  FilePtr file = openFile(path, "a+b");
  if (!file) return file;
  unsigned char head[2] = {0, 0};
  std::fseek(file.get(), 0, SEEK_SET);
  std::size_t got = std::fread(head, 1, 2, file.get());
  if (got == 2 && head[0] == 0xFF && head[1] == 0xFE) {
    file = openFile(path, "wb");
    if (!file) return file;
  }
  std::clearerr(file.get());
  std::fseek(file.get(), 0, SEEK_END);
  return file;
}

}  // namespace

FileLogger::FileLogger(std::filesystem::path path)
    : writer_([this, p = std::move(path)]() mutable { writerLoop(std::move(p)); }) {}

FileLogger::~FileLogger() { stop(); }

void FileLogger::append(std::string_view text) {
  if (pendingSize_.load(std::memory_order_relaxed) > kFlushThreshold) return;
  std::size_t size;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.append(text);
    size = pending_.size();
    pendingSize_.store(size, std::memory_order_relaxed);
  }
  if (size >= kFlushThreshold) wake_.notify_one();
}

void FileLogger::stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    writerStop_ = true;
  }
  wake_.notify_one();
  if (writer_.joinable() && writer_.get_id() != std::this_thread::get_id()) writer_.join();
}

void FileLogger::writerLoop(std::filesystem::path path) {
  FilePtr file = openLogFile(path);
  for (;;) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(kWritePeriodMs),
                   [this] { return writerStop_.load() || pending_.size() >= kFlushThreshold; });
    if (!pending_.empty()) {
      if (file) {
        std::fwrite(pending_.data(), 1, pending_.size(), file.get());
        std::fflush(file.get());
      }
      pending_.clear();
      pendingSize_.store(0, std::memory_order_relaxed);
      if (file && std::ftell(file.get()) >= kTruncateAt) {
        // Emptied without a backup: the log is for the latest runs, and a bounded file
        // matters more on a user's machine than old history.
        file.reset();
        file = openFile(path, "wb");
      }
    }
    if (writerStop_) break;
  }
}

}  // namespace common
