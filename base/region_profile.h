// The regional editions of the emulator product and the choice of the current one.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace common {

// One regional edition. The installer reads only the language code; the other programs of the
// product family keep their own edition details.
struct RegionProfile {
  const wchar_t* languageCode;
};

// The 20 editions, with the two language-code rewrites the choice may make. The process uses
// one table (regionProfiles()); tests build their own.
class RegionProfileTable {
 public:
  static constexpr int kRowCount = 20;
  static constexpr int kChineseRow = 2;  // serves both "zh_TW" and "zh_CN"
  static constexpr int kEnglishRow = 4;  // serves "en_US" and every code without a row

  RegionProfileTable();
  RegionProfileTable(const RegionProfileTable&) = delete;
  RegionProfileTable& operator=(const RegionProfileTable&) = delete;

  // The row of a locale code, or nullptr. "zh_CN" is served by the Chinese row, which then
  // carries "zh_CN"; "en_US" has no entry of its own here.
  const RegionProfile* find(const std::wstring& code);

  // The row to use for a code: its own row, else the English row, which then carries the code
  // (the first code that lands there keeps it for the life of the table).
  const RegionProfile& choose(const std::wstring& code);

  const RegionProfile& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  int indexOf(const RegionProfile& profile) const { return static_cast<int>(&profile - rows_.data()); }

 private:
  std::array<RegionProfile, kRowCount> rows_;
  std::wstring keptCode_;
  bool codeKept_ = false;
};

// The process's table.
RegionProfileTable& regionProfiles();

// find() on the process's table.
const RegionProfile* findRegionProfile(const std::wstring& code);

// The locale code the choice starts from: the global configuration's code, else the override,
// else the display language (asked only when needed).
std::wstring pickLanguageCode(const std::wstring& configured, const std::wstring& override,
                              const std::function<std::wstring()>& systemCode);

// The row chosen at start-up; nullptr before commoninit.
const RegionProfile* currentRegionProfile();
void setCurrentRegionProfile(const RegionProfile* profile);

}  // namespace common
