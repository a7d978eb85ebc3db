#include "base/global_config.h"

#include <rapidjson/document.h>

#include <fstream>
#include <system_error>

namespace common {

std::wstring globalConfigPath(const std::wstring& emulatorFolder) {
  std::wstring path = emulatorFolder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + L"vms\\" + L"config/halvaris.config";
}

std::string languageIdOfConfig(const std::string& json) {
  std::string text = json;
  // Windows editors like to save UTF-8 with a byte-order mark; the parser does not expect one.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  rapidjson::Document document;
  // Iterative parsing: a deeply nested file must not exhaust the stack of the window thread.
  document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
  if (document.HasParseError() || !document.IsObject()) return std::string();
  auto member = document.FindMember("languageId");
  if (member == document.MemberEnd() || !member->value.IsString()) return std::string();
  return std::string(member->value.GetString(), member->value.GetStringLength());
}

std::string readConfiguredLanguageId(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::string();
  auto size = std::filesystem::file_size(file, error);
  if (error || size > kMaxGlobalConfigBytes) return std::string();
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::string();
  // One byte more than the size taken: a file that grew meanwhile reads as cut off (no JSON).
  std::string content(static_cast<std::size_t>(size) + 1, '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
  if (content.size() > kMaxGlobalConfigBytes) return std::string();
  return languageIdOfConfig(content);
}

}  // namespace common
