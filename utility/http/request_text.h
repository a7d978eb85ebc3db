// The request header text the client sends: its own header block and, for the socket
// connection, the whole GET request.
#pragma once

#include <map>
#include <string>

namespace utility {

using HeaderTable = std::map<std::wstring, std::wstring>;

// Adds the default "Content-Type" and "User-Agent" entries to the table when missing (they
// stay for later requests) and returns "name: value" CR LF lines in table order.
std::wstring buildHeaders(HeaderTable& table);

// The socket connection's GET request up to and including the empty line. Default lines are
// written without a space after the colon and are left out when the caller's extra headers
// already carry that header (case-sensitive test, as servers of the vendor were tested with).
std::wstring buildGetRequest(const std::wstring& host, const std::wstring& path,
                             const std::wstring& extraHeaders);

}  // namespace utility
