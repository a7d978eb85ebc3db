// Developer tool: downloads one URL into a file through the installer's download client and
// prints the throughput and the process's peak memory, for comparison with curl on the same
// URL (run.sh does both).
//
//   http_bench.exe <wininet|socket> <url> <output file>
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "utility/http/http_client_wrapper.h"

namespace {

struct Progress final : utility::CHttpClientWrapper::IHttpDownloadSink {
  bool onDownloadProgress(const char*, int, int rec, int) override {
    received = rec;
    return true;
  }
  bool onDownloadFinished() override { return true; }
  int received = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fwprintf(stderr, L"usage: http_bench <wininet|socket> <url> <output file>\n");
    return 2;
  }
  bool socket = std::wcscmp(argv[1], L"socket") == 0;
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  utility::CHttpClientWrapper client;
  Progress progress;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  bool ok = client.download2file_ex(&progress, argv[3], argv[2], 0, 1, 0, socket);
  QueryPerformanceCounter(&end);
  double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  std::printf("%s %s bytes=%d seconds=%.3f MB/s=%.1f peak_private_MB=%.1f peak_working_set_MB=%.1f\n",
              socket ? "socket" : "wininet", ok ? "ok" : "FAILED", progress.received, seconds,
              progress.received / seconds / 1e6, memory.PeakPagefileUsage / 1048576.0,
              memory.PeakWorkingSetSize / 1048576.0);
  WSACleanup();
  return ok ? 0 : 1;
}
