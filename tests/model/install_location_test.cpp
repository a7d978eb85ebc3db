// The install folder under Wine: folders found in the registry, and the drive queries of the
// Wine prefix (whose C: and Z: are fixed NTFS drives).
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "model/disk_query_win.h"
#include "model/downloader_model.h"
#include "tests/model/model_fixture.h"

namespace {

class RegistryValue {
 public:
  RegistryValue(const std::wstring& key, const std::wstring& value) : key_(key) {
    HKEY raw = nullptr;
    RegCreateKeyW(HKEY_CURRENT_USER, key.c_str(), &raw);
    utility::UniqueRegKey owned(raw);
    RegSetValueExW(raw, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  ~RegistryValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"InstallDir"); }

 private:
  std::wstring key_;
};

DownloaderModel* modelNamed(const std::wstring& fileName) {
  DownloaderModel* model = DownloaderModel::instance();
  // Nothing listens on port 1: the version query ends at once.
  model->setAddresses({L"https://127.0.0.1:1/v", L"https://127.0.0.1:1/o/", L"https://127.0.0.1:1/p"});
  model->initFrom(fileName, L"");
  return model;
}

class InstallLocation : public ::testing::Test {
 protected:
  void SetUp() override { utility::TaskDispatcher::create(); }
  void TearDown() override { DownloaderModel::destroyModel(); }
};

TEST_F(InstallLocation, RegionKeyFolderOfGenerationNineFirst) {
  RegistryValue regional(L"Software\\Tessane\\vqplayer-tw", L"D:\\Players\\vq-tw\\");
  RegistryValue product(L"Software\\Morvell\\Zentrix9", L"D:\\Players\\Z9\\");
  EXPECT_EQ(modelNamed(L"zentrix9_tw_12345_x.exe")->installPath(), L"D:\\Players\\vq-tw\\");
}

TEST_F(InstallLocation, ProductKeyWhenNoRegionalFolder) {
  RegistryValue product(L"Software\\Morvell\\Zentrix64", L"E:\\Z64");
  // Used as found: no backslash added, no check of the drive.
  EXPECT_EQ(modelNamed(L"zentrix64_kr_12345_x.exe")->installPath(), L"E:\\Z64");
}

TEST_F(InstallLocation, WithoutRegistryTheBestDriveOrTheBareFolder) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Halvari\\Zentrix", L"InstallDir");
  DownloaderModel* model = modelNamed(L"zentrix4_cn_12345_x.exe");
  const std::wstring drive = model::bestInstallDrive(model::WinDiskQuery());
  EXPECT_EQ(model->installPath(), drive + L"Halvari\\Zentrix4.0\\");
  // Wine answers the hot-plug query differently from version to version; whichever drive it
  // offers must be a fixed one.
  if (!drive.empty()) EXPECT_TRUE(model::WinDiskQuery().isFixedDrive(drive));
  // The key was opened with create semantics.
  HKEY raw = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Halvari\\Zentrix", 0, KEY_READ, &raw), ERROR_SUCCESS);
  utility::UniqueRegKey created(raw);
}

TEST_F(InstallLocation, WineDrivesThroughTheRules) {
  model::WinDiskQuery disk;
  EXPECT_TRUE(disk.isFixedDrive(L"C:\\"));
  EXPECT_TRUE(disk.isRoot(L"C:\\"));
  EXPECT_FALSE(disk.isRoot(L"C:\\Games\\"));
  std::wstring fileSystem;
  ASSERT_TRUE(disk.fileSystemName(L"C:\\", fileSystem));
  EXPECT_EQ(fileSystem, L"NTFS");
  EXPECT_GT(model::freeMegabytes(L"C:\\Games", disk), 0.0);
  EXPECT_GT(model::driveWeight(L"C:\\", disk), 0.0);
  EXPECT_TRUE(model::isValidInstallPath(L"c:/Games//x", disk));
  EXPECT_FALSE(model::isValidInstallPath(L"q:\\Games", disk));  // no such drive in the prefix

  DownloaderModel* model = modelNamed(L"zentrix4_en_12345_x.exe");
  EXPECT_EQ(model->applyChosenFolder(L"C:\\"), L"C:\\Zentrix\\Zentrix4.0\\");
  EXPECT_EQ(model->applyChosenFolder(L"C:/Games"), L"C:\\Games\\Zentrix\\Zentrix4.0\\");
  model->setInstallPath(L"  C:\\Games\\Zentrix\\ ");
  EXPECT_EQ(model->installClickCheck(true), L"");
  EXPECT_EQ(model->installPath(), L"C:\\Games\\Zentrix\\");
  EXPECT_EQ(model->installClickCheck(false), L"MsgBox_accept_protocol");
}

}  // namespace

namespace {

TEST(ModelInstance, FirstUseFromAWorkerIsTheWindowsModelToo) {
  DownloaderModel* fromWorker = nullptr;
  std::thread worker([&] { fromWorker = DownloaderModel::instance(); });
  worker.join();
  EXPECT_EQ(DownloaderModel::instance(), fromWorker);
  DownloaderModel::destroyModel();
  DownloaderModel::destroyModel();  // a second call finds no model and does nothing
}

}  // namespace
