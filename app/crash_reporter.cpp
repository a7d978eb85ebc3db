#include "app/crash_reporter.h"

#include <windows.h>

#include "utility/module_path.h"
#include "utility/proc_address.h"

namespace app {

void startCrashReporter() {
  using InitFaultsendFn = void(__stdcall*)(const wchar_t*, const wchar_t*, const wchar_t*);
  using SetShowReportUIFn = void(__stdcall*)(BOOL);
  using SetRestartExePathFn = void(__stdcall*)(const wchar_t*);

  std::wstring path = utility::moduleFolder() + L"quelmar.dll";
  // Deliberately never freed: the reporter must stay loaded until the process is gone to
  // catch a crash during exit.
  HMODULE library = LoadLibraryW(path.c_str());
  if (!library) return;

  auto initFaultsend = utility::procAddress<InitFaultsendFn>(library, "InitFaultsend");
  if (!initFaultsend) return;
  initFaultsend(L"vqplayer", L"1.0", L"vqplayer");

  auto setShowReportUI = utility::procAddress<SetShowReportUIFn>(library, "SetShowReportUI");
  if (!setShowReportUI) return;
  setShowReportUI(FALSE);

  auto setRestartExePath = utility::procAddress<SetRestartExePathFn>(library, "SetRestartExePath");
  if (!setRestartExePath) return;
  setRestartExePath(utility::modulePath().c_str());
}

}  // namespace app
