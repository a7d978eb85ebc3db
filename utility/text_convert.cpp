#include "utility/text_convert.h"

#include <windows.h>

#include <limits>

namespace utility {

std::wstring toWide(const char* bytes, int length, unsigned codePage) {
  if (!bytes || (length < 0 && length != -1)) return std::wstring();
  int needed = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
  if (needed <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(needed), L'\0');
  int written = MultiByteToWideChar(codePage, 0, bytes, length, text.data(), needed);
  if (written <= 0) return std::wstring();
  text.resize(static_cast<std::size_t>(written));
  // A -1 length counts the terminating NUL; the string keeps its own.
  if (length == -1 && !text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::wstring toWide(const std::string& bytes, unsigned codePage) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::wstring();
  return toWide(bytes.data(), static_cast<int>(bytes.size()), codePage);
}

std::string toBytes(const wchar_t* text, int length, unsigned codePage) {
  if (!text || (length < 0 && length != -1)) return std::string();
  int needed = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  int written = WideCharToMultiByte(codePage, 0, text, length, bytes.data(), needed, nullptr, nullptr);
  if (written <= 0) return std::string();
  bytes.resize(static_cast<std::size_t>(written));
  if (length == -1 && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  return bytes;
}

std::string toBytes(const std::wstring& text, unsigned codePage) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::string();
  return toBytes(text.data(), static_cast<int>(text.size()), codePage);
}

std::string ansiToUtf8(const std::string& ansi) {
  std::wstring wide = toWide(ansi, CP_ACP);
  if (wide.empty()) return std::string();
  return toBytes(wide, CP_UTF8);
}

}  // namespace utility
