// Reading and interpreting a raw HTTP/1.1 response header (the socket connection's own).
#pragma once

#include <cstddef>
#include <string>

#include "utility/http/byte_reader.h"

namespace utility {

// A server may not make the client buffer an endless header.
constexpr size_t kMaxResponseHeader = 64 * 1024;

enum class HeaderRead { ok, failed, tooLarge };

// Appends one byte per read to text until it ends with CR LF CR LF, so that no body byte is
// taken from the stream. Fails on a read of less than one byte, and past maxSize bytes.
HeaderRead readResponseHeader(ByteReader& reader, std::string& text, size_t maxSize = kMaxResponseHeader);

// The number after the first space (as atoi reads it); false when the text has no space.
bool responseStatus(const std::string& text, int& status);

// The number after "Content-Length: " spelled exactly so; -1 when there is none. Servers of
// the vendor spell it that way; other spellings are treated as absent and the body is read
// to the end of the connection.
int responseContentLength(const std::string& text);

// The value of a header, trimmed of spaces: the name (any letter case) must start a line
// and be followed, after optional spaces, by ":". False when there is no such line.
bool headerValue(const std::string& text, const char* name, std::string& value);

// True when "Transfer-Encoding" is exactly "chunked" (any letter case).
bool isChunked(const std::string& text);

}  // namespace utility
