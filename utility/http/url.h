// Splitting a download address into host, port and request target.
#pragma once

#include <cstdint>
#include <string>

namespace utility {

struct UrlParts {
  std::wstring host;
  uint16_t port = 80;
  std::wstring path;  // the request target sent on the request line
};

// Never fails. A scheme of "http://" or "https://" (any letter case, optionally preceded by
// CR LF) sets the default port; anything else is taken as host[:port][/path] on port 80.
// Without a "/" after the host, the whole address (scheme included) becomes the request
// target: old servers of the vendor answer such requests, so they are sent as given.
UrlParts parseUrl(const std::wstring& url);

// Case-insensitive test for a prefix made of ASCII letters and punctuation.
bool startsWithNoCase(const std::wstring& text, const wchar_t* prefix);

}  // namespace utility
