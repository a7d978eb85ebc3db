// The install folder rules against a table of drives.
#include "model/install_path_rules.h"

#include <gtest/gtest.h>

#include "tests/model/fake_disk.h"

namespace {

using zxtest::FakeDisk;
using zxtest::FakeDrive;
using zxtest::megabytes;

const std::wstring kProductFolder = L"Zentrix\\Zentrix4.0\\";

FakeDrive drive(const wchar_t* root, std::uint64_t freeMb) {
  FakeDrive d;
  d.root = root;
  d.freeBytes = megabytes(freeMb);
  return d;
}

TEST(BestInstallDrive, RoomySsdOutweighsLargerSpinningDisk) {
  FakeDrive e = drive(L"E:\\", 200000);
  FakeDrive f = drive(L"F:\\", 40000);
  f.ssd = true;
  FakeDisk disk({e, f});
  EXPECT_DOUBLE_EQ(model::driveWeight(L"F:\\", disk), 40000000.0);
  EXPECT_EQ(model::bestInstallDrive(disk), L"F:\\");
}

TEST(BestInstallDrive, SsdAtExactlyTheThresholdIsNotBoosted) {
  FakeDrive c = drive(L"C:\\", 30721);
  FakeDrive d = drive(L"D:\\", 30720);
  d.ssd = true;
  FakeDisk disk({c, d});
  EXPECT_DOUBLE_EQ(model::driveWeight(L"D:\\", disk), 30720.0);
  EXPECT_EQ(model::bestInstallDrive(disk), L"C:\\");
}

TEST(BestInstallDrive, SkipsUnusableDrives) {
  FakeDrive exfat = drive(L"C:\\", 900000);
  exfat.fileSystem = L"exFAT";
  FakeDrive usb = drive(L"D:\\", 800000);
  usb.hotplug = true;
  FakeDrive network = drive(L"E:\\", 700000);
  network.fixed = false;
  FakeDrive unknownFree = drive(L"F:\\", 600000);
  unknownFree.freeKnown = false;
  FakeDrive fat = drive(L"G:\\", 10);
  fat.fileSystem = L"FAT32";
  FakeDisk disk({exfat, usb, network, unknownFree, fat});
  EXPECT_EQ(model::bestInstallDrive(disk), L"G:\\");
}

TEST(BestInstallDrive, UnreadableVolumeCountsAndTiesKeepTheEarlierDrive) {
  FakeDrive c = drive(L"C:\\", 5000);
  FakeDrive d = drive(L"D:\\", 5000);
  d.volumeKnown = false;
  FakeDisk disk({d, c});
  EXPECT_EQ(model::bestInstallDrive(disk), L"D:\\");
  FakeDisk empty({drive(L"C:\\", 0)});
  EXPECT_EQ(model::bestInstallDrive(empty), L"");
}

TEST(InstallPath, Validity) {
  FakeDrive full = drive(L"F:\\", 0);
  FakeDisk disk({drive(L"D:\\", 5000), full});
  const struct {
    const wchar_t* path;
    bool valid;
  } cases[] = {
      {L"d:\\", false},  // only two characters remain once the backslashes are trimmed
      {L"D:\\Games", true},
      {L"D:/Games//x", true},
      {L"  D:\\Games\\Zentrix\\  ", true},
      {L"d:\\a\\ \\b", false},
      {L"d:\\a?b", false},
      {L"d:\\a\\b:c", false},
      {L"d:\\a<b", false},
      {L"d:\\a\\b\\ ", true},  // the part after the last backslash is not examined
      {L"x:\\Games", false},   // no such drive
      {L"f:\\Games", false},   // no free bytes
      {L"Zentrix\\Zentrix4.0\\", false},
      {L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(model::isValidInstallPath(c.path, disk), c.valid) << std::string(c.path, c.path + wcslen(c.path));
  }
}

TEST(InstallPath, ChosenFolderGetsTheProductFolder) {
  FakeDisk disk({drive(L"E:\\", 5000)});
  const std::wstring current = L"C:\\Zentrix\\Zentrix4.0\\";
  EXPECT_EQ(model::chosenInstallFolder(L"E:\\", current, kProductFolder, disk), L"E:\\Zentrix\\Zentrix4.0\\");
  EXPECT_EQ(model::chosenInstallFolder(L"E:\\Games", current, kProductFolder, disk),
            L"E:\\Games\\Zentrix\\Zentrix4.0\\");
  EXPECT_EQ(model::chosenInstallFolder(L"E:\\Games\\Zentrix", current, kProductFolder, disk), L"E:\\Games\\Zentrix\\");
  EXPECT_EQ(model::chosenInstallFolder(L"E:\\old\\vqplayer", current, kProductFolder, disk), L"E:\\old\\vqplayer\\");
  // The search is case-sensitive.
  EXPECT_EQ(model::chosenInstallFolder(L"E:\\zentrix", current, kProductFolder, disk),
            L"E:\\zentrix\\Zentrix\\Zentrix4.0\\");
  // Normalised: slashes, one pass over doubled backslashes, surrounding spaces.
  EXPECT_EQ(model::chosenInstallFolder(L" E:/a//b\\\\\\Zentrix", current, kProductFolder, disk),
            L"E:\\a\\b\\\\Zentrix\\");
  EXPECT_EQ(model::chosenInstallFolder(current, current, kProductFolder, disk), current);
  // An invalid result is kept as built, for the window to show with its error marker.
  EXPECT_EQ(model::chosenInstallFolder(L"Q:/x", current, kProductFolder, disk), L"Q:/x\\Zentrix\\Zentrix4.0\\");
}

TEST(InstallPath, InstallClickCheckInOrder) {
  FakeDisk disk({drive(L"D:\\", 1023), drive(L"E:\\", 1024)});
  std::wstring path = L"  E:\\Games\\Zentrix\\ ";
  EXPECT_EQ(model::installClickMessage(false, path, disk), L"MsgBox_accept_protocol");
  EXPECT_EQ(path, L"  E:\\Games\\Zentrix\\ ");
  EXPECT_EQ(model::installClickMessage(true, path, disk), L"");
  EXPECT_EQ(path, L"E:\\Games\\Zentrix\\");

  std::wstring small = L"D:\\Zentrix\\";
  EXPECT_TRUE(model::isValidInstallPath(small, disk));
  EXPECT_EQ(model::installClickMessage(true, small, disk), L"MsgBox_disk_notEnough");

  std::wstring bad = L"Zentrix\\Zentrix4.0\\";
  EXPECT_EQ(model::installClickMessage(true, bad, disk), L"MsgBox_error_path");
}

}  // namespace
