// Small text rules shared by the launch parameters and the path rules: only ASCII letters
// change case, and only the given character is trimmed, as those rules are written.
#pragma once

#include <string>

namespace model {

std::wstring lowerAscii(std::wstring text);

// Removes the character from both ends.
std::wstring trimChar(const std::wstring& text, wchar_t c);

}  // namespace model
