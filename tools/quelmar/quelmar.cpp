// STAND-IN for the product's crash reporter "quelmar.dll". It reports no crashes; it appends
// one line per call to "quelmar_calls.txt" beside itself so tests can see what the installer
// asked for.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HMODULE g_self = nullptr;

void record(const std::wstring& line) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(g_self, path, MAX_PATH);
  std::wstring journal(path);
  journal = journal.substr(0, journal.find_last_of(L'\\') + 1) + L"quelmar_calls.txt";
  FILE* file = _wfopen(journal.c_str(), L"ab");
  if (!file) return;
  int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
  utf8 += "\n";
  std::fwrite(utf8.data(), 1, utf8.size(), file);
  std::fclose(file);
}

std::wstring text(const wchar_t* value) { return value ? value : L"(null)"; }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_self = instance;
  return TRUE;
}

void __stdcall InitFaultsend(const wchar_t* product, const wchar_t* version, const wchar_t* reportName) {
  record(L"InitFaultsend|" + text(product) + L"|" + text(version) + L"|" + text(reportName));
}

void __stdcall SetShowReportUI(BOOL show) { record(L"SetShowReportUI|" + std::to_wstring(show)); }

void __stdcall SetRestartExePath(const wchar_t* path) { record(L"SetRestartExePath|" + text(path)); }

}  // extern "C"
