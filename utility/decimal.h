#pragma once

#include <string_view>

namespace utility {
// Reads a decimal integer the way the C library's atoi does: leading white space and one sign
// allowed, reading stops at the first other character, 0 when there is no digit. Saturates
// instead of overflowing.
long long leadingDecimal(std::wstring_view text);
}
