#include "utility/process.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/support/log_capture.h"
#include "tests/support/temp_folder.h"
#include "utility/module_path.h"

namespace {

using utility::UniqueKernelHandle;

std::wstring sibling(const wchar_t* name) { return utility::moduleFolder() + name; }

// Children of this process with the given image name, opened for waiting and ending.
std::vector<UniqueKernelHandle> childrenNamed(const wchar_t* image) {
  std::vector<UniqueKernelHandle> children;
  utility::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return children;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID != GetCurrentProcessId() || _wcsicmp(entry.szExeFile, image) != 0) continue;
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
    if (process) children.push_back(std::move(process));
  }
  return children;
}

// The command line the recording stand-in saw, once it has written it.
class RecordedCommandLine {
 public:
  RecordedCommandLine() : file_((folder_.path() / "cmdline.bin").wstring()) {
    SetEnvironmentVariableW(L"ZX_RECORD_CMDLINE", file_.c_str());
  }
  ~RecordedCommandLine() { SetEnvironmentVariableW(L"ZX_RECORD_CMDLINE", nullptr); }

  std::wstring wait(int ms = 10000) const {
    for (int waited = 0; waited < ms; waited += 50) {
      std::ifstream in(std::filesystem::path(file_), std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!bytes.empty()) return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::wstring();
  }

 private:
  zxtest::TempFolder folder_;
  std::wstring file_;
};

TEST(ProcessCommandLine, QuotedProgramThenParametersWhenThereAreAny) {
  EXPECT_EQ(utility::process::commandLine(L"C:\\a b\\c.exe", L""), L"\"C:\\a b\\c.exe\"");
  EXPECT_EQ(utility::process::commandLine(L"taskkill", L"/F /IM zxcurl.exe /T"), L"\"taskkill\" /F /IM zxcurl.exe /T");
}

TEST(ProcessCreate, ChildSeesExactlyTheBuiltCommandLine) {
  const std::wstring program = sibling(L"zx_record_cmdline.exe");
  for (const std::wstring& parameters : {std::wstring(), std::wstring(L"installapk \"C:\\x y\\a.apk\"")}) {
    RecordedCommandLine recorded;
    UniqueKernelHandle child = utility::process::create(program, parameters);
    ASSERT_TRUE(child);
    ASSERT_EQ(WaitForSingleObject(child.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(recorded.wait(), utility::process::commandLine(program, parameters));
  }
}

TEST(ProcessExecute, ExitCodeDecidesTheResult) {
  zxtest::LogCapture log;
  EXPECT_TRUE(utility::process::execute(sibling(L"zx_exit_code.exe"), L"0", INFINITE));
  EXPECT_FALSE(utility::process::execute(sibling(L"zx_exit_code.exe"), L"5", 10000));
  auto lines = log.textsOf("utility::process::execute");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind(L"execute exitcode = 0 lastError = ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind(L"execute exitcode = 5 lastError = ", 0), 0u) << lines[1];
  auto created = log.textsOf("utility::process::create");
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[1], L"createProcess filename = [" + sibling(L"zx_exit_code.exe") + L"], param = [5], show = 0");
}

TEST(ProcessExecute, MissingProgramLogsBothFailuresWithTheSameError) {
  zxtest::LogCapture log;
  EXPECT_FALSE(utility::process::execute(sibling(L"no_such_program.exe"), L"", 2000));
  EXPECT_EQ(log.textsOf("utility::process::create").back(), L"createProcess failed!!! lastError = 2");
  EXPECT_EQ(log.textsOf("utility::process::execute"), std::vector<std::wstring>{L"execute failed!!! last error = 2"});
}

TEST(ProcessExecute, TimeoutLeavesTheChildRunning) {
  zxtest::LogCapture log;
  auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(utility::process::execute(sibling(L"zx_sleeper.exe"), L"60000", 300));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(log.textsOf("utility::process::execute"), std::vector<std::wstring>{L"execute timeout!!!"});

  auto children = childrenNamed(L"zx_sleeper.exe");
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(WaitForSingleObject(children[0].get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(children[0].get(), 1);
  EXPECT_EQ(WaitForSingleObject(children[0].get(), 10000), WAIT_OBJECT_0);
}

TEST(ProcessShell, StartsTheProgramWithItsParameters) {
  RecordedCommandLine recorded;
  zxtest::LogCapture log;
  const std::wstring program = sibling(L"zx_record_cmdline.exe");
  ASSERT_TRUE(utility::process::shell(program, L"-a b"));
  EXPECT_NE(recorded.wait().find(L"-a b"), std::wstring::npos);
  EXPECT_EQ(log.textsOf("utility::process::shell"),
            std::vector<std::wstring>{L"shell filename = [" + program + L"], param = [-a b], runas = 1, show = 0"});
}

TEST(ProcessShell, MissingProgramIsAFailureWithItsError) {
  zxtest::LogCapture log;
  EXPECT_FALSE(utility::process::shell(sibling(L"no_such_program.exe"), L""));
  auto lines = log.textsOf("utility::process::shell");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], L"shellEx failed!!! lastError = 2");
}

TEST(OpenUrl, OpensWithTheDefaultHandler) {
  // A program path is an address the shell opens by running it; the recording shows it ran.
  RecordedCommandLine recorded;
  utility::openUrl(sibling(L"zx_record_cmdline.exe"));
  EXPECT_NE(recorded.wait().find(L"zx_record_cmdline.exe"), std::wstring::npos);
}

}  // namespace
