#include "model/text_rules.h"

namespace model {

std::wstring lowerAscii(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

std::wstring trimChar(const std::wstring& text, wchar_t c) {
  std::size_t first = text.find_first_not_of(c);
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(c) - first + 1);
}

}  // namespace model
