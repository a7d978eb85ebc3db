#include "base/language_codes.h"

#include <utility>

namespace common {
namespace {

using CodePair = std::pair<const wchar_t*, const wchar_t*>;  // key, locale code

// Both directions walk this list in order. "in" is Hindi and "id" Indonesian, as the bundles
// and launch parameters of the product family have it.
constexpr CodePair kKeys[] = {
    {L"tw", L"zh_TW"}, {L"kr", L"ko_KR"}, {L"vn", L"vi_VN"}, {L"th", L"th_TH"}, {L"ru", L"ru_RU"},
    {L"pt", L"pt_PT"}, {L"tr", L"tr_TR"}, {L"es", L"es_ES"}, {L"ar", L"ar_IL"}, {L"jp", L"ja_JP"},
    {L"fa", L"fa_IR"}, {L"in", L"hi_IN"}, {L"de", L"de_DE"}, {L"fr", L"fr_FR"}, {L"id", L"in_ID"},
    {L"cn", L"zh_CN"}, {L"it", L"it_IT"}, {L"en", L"en_US"}, {L"my", L"ms_MY"}, {L"ua", L"uk_UA"},
};

// Primary language id (low 10 bits of a LANGID) to locale code; Chinese is decided apart.
constexpr std::pair<unsigned, const wchar_t*> kPrimaryLanguages[] = {
    {1, L"ar_IL"},  {7, L"de_DE"},  {9, L"en_US"},  {10, L"es_ES"}, {12, L"fr_FR"}, {16, L"it_IT"},
    {17, L"ja_JP"}, {18, L"ko_KR"}, {22, L"pt_PT"}, {25, L"ru_RU"}, {30, L"th_TH"}, {31, L"tr_TR"},
    {33, L"in_ID"}, {34, L"uk_UA"}, {41, L"fa_IR"}, {42, L"vi_VN"}, {57, L"hi_IN"}, {62, L"ms_MY"},
};

constexpr unsigned kChinese = 4;
// Taiwan, Hong Kong, Macao and the traditional-script neutral id.
constexpr unsigned short kTraditionalChinese[] = {0x0404, 0x0C04, 0x1404, 0x7C04};

}  // namespace

std::wstring shortToLocaleCode(const std::wstring& key) {
  for (const auto& [shortKey, code] : kKeys) {
    if (key == shortKey) return code;
  }
  return L"en_US";
}

std::wstring localeToShortCode(const std::wstring& code) {
  for (const auto& [shortKey, localeCode] : kKeys) {
    if (code == localeCode) return shortKey;
  }
  return L"en";
}

std::wstring localeCodeOfLanguageId(unsigned short languageId) {
  unsigned primary = languageId & 0x3FFu;
  if (primary == kChinese) {
    for (unsigned short traditional : kTraditionalChinese) {
      if (languageId == traditional) return L"zh_TW";
    }
    return L"zh_CN";
  }
  for (const auto& [id, code] : kPrimaryLanguages) {
    if (primary == id) return code;
  }
  return std::wstring();
}

}  // namespace common
