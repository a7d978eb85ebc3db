// Conversions between locale codes ("zh_TW") and two-letter region keys ("tw"), and from a
// Windows language id to a locale code. All comparisons are exact and case-sensitive.
#pragma once

#include <string>

namespace common {

// Two-letter key to locale code; unknown keys ("ens", a full locale code) give "en_US".
std::wstring shortToLocaleCode(const std::wstring& key);

// Locale code to two-letter key; unknown codes give "en". Note "hi_IN" is "in", "in_ID" is "id".
std::wstring localeToShortCode(const std::wstring& code);

// Locale code of a Windows UI language id; empty for languages without one.
std::wstring localeCodeOfLanguageId(unsigned short languageId);

}  // namespace common
