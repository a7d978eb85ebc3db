// Conversions between the program's wide text and byte strings in a named code page. They never
// fail: bad input gives an empty string, invalid sequences are replaced.
#pragma once

#include <string>

namespace utility {

// bytes: length bytes, or up to the terminating NUL when length is -1 (the NUL is not kept).
// A null source or another negative length gives an empty string.
std::wstring toWide(const char* bytes, int length, unsigned codePage);
std::wstring toWide(const std::string& bytes, unsigned codePage);

std::string toBytes(const wchar_t* text, int length, unsigned codePage);
std::string toBytes(const std::wstring& text, unsigned codePage);

// ANSI code page bytes to UTF-8.
std::string ansiToUtf8(const std::string& ansi);

}  // namespace utility
