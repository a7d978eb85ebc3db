// Rules for the install folder: which drive to propose, which folder texts are usable, how a
// folder the user picked becomes the install folder, and the install-click check. The drive
// queries sit behind DiskQuery so the rules run without Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace model {

class DiskQuery {
 public:
  virtual ~DiskQuery() = default;
  // Free bytes available to the caller on a volume root such as "d:\"; false when the query
  // fails.
  virtual bool freeBytes(const std::wstring& root, std::uint64_t& bytes) const = 0;
  // The logical drive roots ("C:\") in the order the system lists them.
  virtual std::vector<std::wstring> logicalDrives() const = 0;
  virtual bool isFixedDrive(const std::wstring& root) const = 0;
  // Drive names are "D:" without the backslash.
  virtual bool isHotplugDrive(const std::wstring& drive) const = 0;
  virtual bool isSSD(const std::wstring& drive) const = 0;
  // False when the volume information cannot be read.
  virtual bool fileSystemName(const std::wstring& root, std::wstring& name) const = 0;
  // A root folder such as "E:\" or "\\server\share\".
  virtual bool isRoot(const std::wstring& path) const = 0;
  // Told when a drive's weight is multiplied for being a roomy SSD.
  virtual void onSsdBoost(const std::wstring& root) const {}
};

// Below this the install click is refused.
inline constexpr double kMinimumFreeMegabytes = 1024.0;
// A TRIM-capable drive with more free space than this outweighs any spinning disk.
inline constexpr long long kSsdBoostMegabytes = 30720;

// Megabytes free on the drive, times 1000 for a roomy SSD; 0 for a drive that cannot hold
// the product (query failed, or a file system other than FAT32 and NTFS).
double driveWeight(const std::wstring& root, const DiskQuery& disk);

// The fixed, not hot-pluggable drive of the greatest weight; the earlier drive wins a tie and
// a drive of weight 0 never wins. Empty when none qualifies.
std::wstring bestInstallDrive(const DiskQuery& disk);

bool isValidInstallPath(const std::wstring& path, const DiskQuery& disk);

// Free megabytes on the drive of the path, 0 when the query fails.
double freeMegabytes(const std::wstring& path, const DiskQuery& disk);

// The install folder that follows from a folder the user picked: the product folder is
// appended to a drive root or to a folder not already named after the product, and a valid
// result is normalised. An invalid result is returned as built, so the window can show it
// with its error marker. Returns current unchanged when the candidate equals it.
std::wstring chosenInstallFolder(const std::wstring& candidate, const std::wstring& current,
                                 const std::wstring& productFolder, const DiskQuery& disk);

// The check of the install click: trims installPath in place and returns the string id of the
// message to show, or an empty string when the download may start.
std::wstring installClickMessage(bool licenceAccepted, std::wstring& installPath, const DiskQuery& disk);

}  // namespace model
