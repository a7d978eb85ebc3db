// STAND-IN test program: writes its raw command line (UTF-16LE, no terminator) to the file named
// by the environment variable ZX_RECORD_CMDLINE, so a test sees exactly what its parent built.
#include <windows.h>

#include <cwchar>

int main() {
  wchar_t target[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"ZX_RECORD_CMDLINE", target, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  HANDLE file = CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  const wchar_t* line = GetCommandLineW();
  DWORD bytes = static_cast<DWORD>(std::wcslen(line) * sizeof(wchar_t));
  DWORD written = 0;
  BOOL ok = WriteFile(file, line, bytes, &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes ? 0 : 4;
}
