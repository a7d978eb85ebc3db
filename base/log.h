// The installer's log calls. Every line names the function that wrote it (qualified class and
// method name, written out by the caller) and its source line.
#pragma once

#include <string>

using LogSinkFn = void (*)(const char* function, int line, const wchar_t* format, ...);

// The log call of every part of the installer. Does nothing until a sink is installed.
void writeLog(const char* function, int line, const wchar_t* format, ...);

// The base layer's line writer: formats at most 511 characters and writes one line.
void logSink(const char* function, int line, const wchar_t* format, ...);

void installLogSink(LogSinkFn sink);

namespace common {
// The base layer's own log call, under the function name "common::log".
void log(const wchar_t* format, ...);

// Creates the process's file logger when path is not empty and none exists yet.
void startFileLogger(const std::wstring& path);

// Final flush on the way out of the process; later lines are composed and dropped.
void stopFileLogger();
}  // namespace common
