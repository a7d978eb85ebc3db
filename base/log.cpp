#include "base/log.h"

#include <windows.h>

#include <atomic>
#include <cstdarg>
#include <cwchar>

#include "base/file_logger.h"
#include "base/log_line.h"

namespace {

std::atomic<LogSinkFn> g_sink{nullptr};
std::atomic<common::FileLogger*> g_logger{nullptr};

// Formats into a fixed buffer; output longer than the buffer is cut, never written past it.
template <std::size_t N>
void formatInto(wchar_t (&buffer)[N], const wchar_t* format, va_list args) {
  int written = _vsnwprintf(buffer, N - 1, format, args);
  if (written < 0 || static_cast<std::size_t>(written) >= N - 1) buffer[N - 1] = L'\0';
}

// Callers log a failure and then read or report the thread's last error; logging must not
// change it.
class LastErrorKeeper {
 public:
  LastErrorKeeper() : error_(GetLastError()) {}
  ~LastErrorKeeper() { SetLastError(error_); }
  LastErrorKeeper(const LastErrorKeeper&) = delete;
  LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

 private:
  DWORD error_;
};

void writeLine(const char* function, int line, const wchar_t* message) {
  LastErrorKeeper keepError;
  SYSTEMTIME now;
  GetLocalTime(&now);
  common::LogTime time{now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
  common::LogStream stream(time, GetCurrentThreadId(), function, line);

  char utf8[common::LogStream::kCapacity] = {};
  auto size = common::encodeUtf8(message, utf8, sizeof(utf8) - 1);
  if (!size) return;  // longer than a whole line can hold: dropped like any over-long line
  stream.put(std::string_view(utf8, *size));

  common::FileLogger* logger = g_logger.load();
  if (!logger) return;
  if (auto text = stream.finish()) logger->append(*text);
}

}  // namespace

void installLogSink(LogSinkFn sink) { g_sink.store(sink); }

void writeLog(const char* function, int line, const wchar_t* format, ...) {
  LogSinkFn sink = g_sink.load();
  if (!sink) return;
  wchar_t message[8192];
  va_list args;
  va_start(args, format);
  formatInto(message, format, args);
  va_end(args);
  sink(function, line, L"%s", message);
}

void logSink(const char* function, int line, const wchar_t* format, ...) {
  wchar_t message[512];
  va_list args;
  va_start(args, format);
  formatInto(message, format, args);
  va_end(args);
  writeLine(function, line, message);
}

namespace common {

void log(const wchar_t* format, ...) {
  wchar_t message[8192];
  va_list args;
  va_start(args, format);
  formatInto(message, format, args);
  va_end(args);
  writeLine("common::log", 103, message);
}

void startFileLogger(const std::wstring& path) {
  if (path.empty() || g_logger.load()) return;
  // Process-wide and never destroyed: any thread may still log during exit.
  g_logger.store(new FileLogger(std::filesystem::path(path)));
}

void stopFileLogger() {
  if (FileLogger* logger = g_logger.load()) logger->stop();
}

}  // namespace common
