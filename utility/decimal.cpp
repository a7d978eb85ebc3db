#include "utility/decimal.h"

#include <limits>

namespace utility {

long long leadingDecimal(std::wstring_view text) {
  std::size_t i = 0;
  auto isSpace = [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    int digit = text[i] - L'0';
    if (value > (kMax - digit) / 10) {
      value = kMax;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace utility
