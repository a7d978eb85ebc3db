// Collects the installer's log calls in memory (Windows builds: formats as the product does,
// with Microsoft printf semantics). One capture at a time per process.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "base/log.h"

namespace zxtest {

struct LoggedLine {
  std::string function;
  std::wstring text;
};

class LogCapture {
 public:
  LogCapture() {
    std::lock_guard<std::mutex> lock(mutex());
    lines().clear();
    installLogSink(&LogCapture::sink);
  }
  ~LogCapture() { installLogSink(nullptr); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<LoggedLine> taken() const {
    std::lock_guard<std::mutex> lock(mutex());
    return lines();
  }

  // Texts logged under one function name, in order.
  std::vector<std::wstring> textsOf(const std::string& function) const {
    std::vector<std::wstring> texts;
    for (const LoggedLine& line : taken()) {
      if (line.function == function) texts.push_back(line.text);
    }
    return texts;
  }

 private:
  static std::mutex& mutex() {
    static std::mutex instance;
    return instance;
  }
  static std::vector<LoggedLine>& lines() {
    static std::vector<LoggedLine> instance;
    return instance;
  }
  static void sink(const char* function, int, const wchar_t* format, ...) {
    wchar_t buffer[2048];
    va_list args;
    va_start(args, format);
    int written = _vsnwprintf(buffer, 2047, format, args);
    va_end(args);
    if (written < 0 || written >= 2047) buffer[2047] = L'\0';
    std::lock_guard<std::mutex> lock(mutex());
    lines().push_back({function, buffer});
  }
};

}  // namespace zxtest
