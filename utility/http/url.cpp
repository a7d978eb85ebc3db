#include "utility/http/url.h"

#include <cwctype>

namespace utility {

bool startsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  size_t i = 0;
  for (; prefix[i] != L'\0'; ++i) {
    if (i >= text.size() || std::towlower(text[i]) != std::towlower(prefix[i])) return false;
  }
  return true;
}

UrlParts parseUrl(const std::wstring& url) {
  struct Scheme {
    const wchar_t* prefix;
    uint16_t port;
  };
  static const Scheme kSchemes[] = {
      {L"http://", 80}, {L"https://", 443}, {L"\r\nhttp://", 80}, {L"\r\nhttps://", 443}};
  UrlParts parts;
  size_t skip = 0;
  for (const Scheme& scheme : kSchemes) {
    if (startsWithNoCase(url, scheme.prefix)) {
      skip = std::char_traits<wchar_t>::length(scheme.prefix);
      parts.port = scheme.port;
      break;
    }
  }
  size_t slash = url.find(L'/', skip);
  std::wstring authority;
  if (slash != std::wstring::npos) {
    authority = url.substr(skip, slash - skip);
    parts.path = url.substr(slash);
  } else {
    authority = url.substr(skip);
    parts.path = url;
  }
  size_t colon = authority.find(L':');
  if (colon == std::wstring::npos) {
    parts.host = authority;
    return parts;
  }
  parts.host = authority.substr(0, colon);
  // Leading digits, truncated to 16 bits as the port field is.
  uint32_t port = 0;
  for (size_t i = colon + 1; i < authority.size() && authority[i] >= L'0' && authority[i] <= L'9'; ++i) {
    port = (port * 10 + static_cast<uint32_t>(authority[i] - L'0')) & 0xFFFFFFu;
  }
  parts.port = static_cast<uint16_t>(port);
  return parts;
}

}  // namespace utility
