#include "utility/http/response_header.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace utility {

namespace {

bool endsWithBlankLine(const std::string& text) {
  return text.size() >= 4 && text.compare(text.size() - 4, 4, "\r\n\r\n") == 0;
}

size_t findNoCase(const std::string& text, const char* name, size_t from) {
  size_t length = std::strlen(name);
  for (size_t i = from; i + length <= text.size(); ++i) {
    size_t k = 0;
    while (k < length && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                             std::tolower(static_cast<unsigned char>(name[k]))) {
      ++k;
    }
    if (k == length) return i;
  }
  return std::string::npos;
}

std::string trimSpaces(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

}  // namespace

HeaderRead readResponseHeader(ByteReader& reader, std::string& text, size_t maxSize) {
  while (!endsWithBlankLine(text)) {
    if (text.size() >= maxSize) return HeaderRead::tooLarge;
    char byte = 0;
    if (reader.read(&byte, 1) < 1) return HeaderRead::failed;
    text.push_back(byte);
  }
  return HeaderRead::ok;
}

bool responseStatus(const std::string& text, int& status) {
  size_t space = text.find(' ');
  if (space == std::string::npos) return false;
  status = std::atoi(text.c_str() + space + 1);
  return true;
}

int responseContentLength(const std::string& text) {
  static const char kName[] = "Content-Length: ";
  size_t at = text.find(kName);
  if (at == std::string::npos) return -1;
  return std::atoi(text.c_str() + at + sizeof(kName) - 1);
}

bool headerValue(const std::string& text, const char* name, std::string& value) {
  // A name that merely occurs inside another header ("Content-Location" for "location") or in
  // a value must not hide the real header further down.
  for (size_t at = findNoCase(text, name, 0); at != std::string::npos; at = findNoCase(text, name, at + 1)) {
    if (at < 2 || text.compare(at - 2, 2, "\r\n") != 0) continue;
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) return false;
    std::string rest = trimSpaces(text.substr(at + std::strlen(name), end - at - std::strlen(name)));
    if (rest.empty() || rest[0] != ':') continue;
    value = trimSpaces(rest.substr(1));
    return true;
  }
  return false;
}

bool isChunked(const std::string& text) {
  std::string value;
  if (!headerValue(text, "Transfer-Encoding", value) || value.size() != 7) return false;
  return findNoCase(value, "chunked", 0) == 0;
}

}  // namespace utility
