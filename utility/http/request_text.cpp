#include "utility/http/request_text.h"

namespace utility {

std::wstring buildHeaders(HeaderTable& table) {
  table.emplace(L"Content-Type", L"application/x-www-form-urlencoded");
  table.emplace(L"User-Agent", L"okhttp/3.5.0L");
  std::wstring block;
  for (const auto& entry : table) {
    block += entry.first;
    block += L": ";
    block += entry.second;
    block += L"\r\n";
  }
  return block;
}

std::wstring buildGetRequest(const std::wstring& host, const std::wstring& path,
                             const std::wstring& extraHeaders) {
  auto has = [&extraHeaders](const wchar_t* name) { return extraHeaders.find(name) != std::wstring::npos; };
  std::wstring text = L"GET " + path + L" HTTP/1.1\r\n";
  if (!has(L"Content-Type")) text += L"Content-Type:application/x-www-form-urlencoded\r\n";
  if (!has(L"Host:")) text += L"Host:" + host + L"\r\n";
  if (!has(L"Cache-Control:")) text += L"Cache-Control:no-cache\r\nPragma:no-cache\r\n";
  if (!extraHeaders.empty()) {
    text += extraHeaders;
    if (extraHeaders.size() < 2 || extraHeaders.compare(extraHeaders.size() - 2, 2, L"\r\n") != 0) {
      text += L"\r\n";
    }
  }
  if (!has(L"User-Agent:")) text += L"User-Agent:okhttp/3.5.0L\r\n";
  text += L"\r\n";
  return text;
}

}  // namespace utility
