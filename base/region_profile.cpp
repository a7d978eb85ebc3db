#include "base/region_profile.h"

#include <cstring>
#include <cwchar>
#include <utility>

namespace common {
namespace {

constexpr std::array<RegionProfile, RegionProfileTable::kRowCount> kRows = {{
    {L"zh_CN"}, {L"zh_CN"}, {L"zh_TW"}, {L"ko_KR"}, {L"en_US"}, {L"ja_JP"}, {L"tr_TR"},
    {L"ru_RU"}, {L"vi_VN"}, {L"th_TH"}, {L"pt_PT"}, {L"es_ES"}, {L"ar_IL"}, {L"fa_IR"},
    {L"de_DE"}, {L"fr_FR"}, {L"in_ID"}, {L"it_IT"}, {L"ms_MY"}, {L"uk_UA"},
}};

// Codes with a row of their own. Rows 0 and 1 are never chosen; "zh_CN" and "en_US" are
// handled apart.
constexpr std::pair<const wchar_t*, int> kLookup[] = {
    {L"zh_TW", 2},  {L"ko_KR", 3},  {L"vi_VN", 8},  {L"th_TH", 9},  {L"ru_RU", 7},  {L"pt_PT", 10},
    {L"tr_TR", 6},  {L"es_ES", 11}, {L"fr_FR", 15}, {L"de_DE", 14}, {L"ja_JP", 5},  {L"in_ID", 16},
    {L"ar_IL", 12}, {L"it_IT", 17}, {L"ms_MY", 18}, {L"uk_UA", 19}, {L"fa_IR", 13},
};

const RegionProfile* g_current = nullptr;

}  // namespace

RegionProfileTable::RegionProfileTable() : rows_(kRows) {}

const RegionProfile* RegionProfileTable::find(const std::wstring& code) {
  if (code == L"zh_CN") {
    rows_[kChineseRow].languageCode = L"zh_CN";
    return &rows_[kChineseRow];
  }
  for (const auto& [known, index] : kLookup) {
    if (code == known) return &rows_[static_cast<std::size_t>(index)];
  }
  return nullptr;
}

const RegionProfile& RegionProfileTable::choose(const std::wstring& code) {
  if (const RegionProfile* own = find(code)) return *own;
  RegionProfile& english = rows_[kEnglishRow];
  if (code != L"en_US") {
    if (!codeKept_) {
      keptCode_ = code;
      codeKept_ = true;
    }
    english.languageCode = keptCode_.c_str();
  }
  return english;
}

RegionProfileTable& regionProfiles() {
  static RegionProfileTable* table = new RegionProfileTable();  // lives until the process ends
  return *table;
}

const RegionProfile* findRegionProfile(const std::wstring& code) { return regionProfiles().find(code); }

std::wstring pickLanguageCode(const std::wstring& configured, const std::wstring& override,
                              const std::function<std::wstring()>& systemCode) {
  if (!configured.empty()) return configured;
  if (!override.empty()) return override;
  return systemCode ? systemCode() : std::wstring();
}

const RegionProfile* currentRegionProfile() { return g_current; }

void setCurrentRegionProfile(const RegionProfile* profile) { g_current = profile; }

}  // namespace common
