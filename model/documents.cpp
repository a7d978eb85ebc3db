#include "model/documents.h"

#include <rapidjson/document.h>

namespace model {
namespace {

bool parseObject(const std::string& body, rapidjson::Document& document) {
  document.Parse(body.data(), body.size());
  return !document.HasParseError() && document.IsObject();
}

// Null when the member is absent or not a string: a value of another type counts as absent.
const rapidjson::Value* stringMember(const rapidjson::Value& object, const char* name) {
  auto it = object.FindMember(name);
  if (it == object.MemberEnd() || !it->value.IsString()) return nullptr;
  return &it->value;
}

std::string bytesOf(const rapidjson::Value& value) { return std::string(value.GetString(), value.GetStringLength()); }

bool readText(const rapidjson::Value& object, const char* name, TextDecoder decode, std::wstring& field) {
  const rapidjson::Value* value = stringMember(object, name);
  if (!value) return false;
  field = decode(bytesOf(*value));
  return true;
}

void readFlag(const rapidjson::Value& object, const char* name, bool& field) {
  if (const rapidjson::Value* value = stringMember(object, name)) field = bytesOf(*value) == "1";
}

// Integers only: a JSON true is not a number here.
void readIntegerFlag(const rapidjson::Value& object, const char* name, bool& field) {
  auto it = object.FindMember(name);
  if (it == object.MemberEnd()) return;
  if (it->value.IsInt64()) {
    field = it->value.GetInt64() != 0;
  } else if (it->value.IsUint64()) {
    field = it->value.GetUint64() != 0;
  }
}

}  // namespace

const char* versionMemberName(Generation generation) {
  switch (generation) {
    case Generation::kGen4:
      return "mnq4";
    case Generation::kGen64:
      return "mnq64";
    case Generation::kGen9:
      return "mnq9";
    case Generation::kGen3:
      break;
  }
  return "mnq";
}

VersionParse readVersionDocument(const std::string& body, Generation generation, const TextDecoders& decoders,
                                 PackageInfo& out) {
  rapidjson::Document document;
  if (!parseObject(body, document)) return VersionParse::kNotAnObject;
  auto member = document.FindMember(versionMemberName(generation));
  if (member == document.MemberEnd() || !member->value.IsObject()) return VersionParse::kParsed;
  const rapidjson::Value& package = member->value;
  out.hasVersion = readText(package, "ver", decoders.utf8, out.version);
  if (const rapidjson::Value* md5 = stringMember(package, "md5")) {
    out.md5 = bytesOf(*md5);
    out.hasMd5 = true;
  }
  // "url_spare" names a second address that the download never uses.
  out.hasUrl = readText(package, "url", decoders.utf8, out.url);
  return VersionParse::kParsed;
}

void readAppList(const std::string& body, std::vector<AppRecord>& apps, const TextDecoders& decoders) {
  rapidjson::Document document;
  if (!parseObject(body, document)) return;
  auto result = document.FindMember("result");
  if (result == document.MemberEnd() || !result->value.IsArray()) return;
  for (const rapidjson::Value& entry : result->value.GetArray()) {
    if (!entry.IsObject()) continue;
    AppRecord app;
    readText(entry, "app_download_url", decoders.utf8, app.downloadUrl);
    readText(entry, "app_package_name", decoders.utf8, app.packageName);
    readText(entry, "gamename", decoders.utf8, app.gameName);
    readText(entry, "game_slt_url", decoders.utf8, app.iconUrl);
    readText(entry, "resolution", decoders.ansi, app.resolution);
    readText(entry, "gameid", decoders.ansi, app.gameId);
    readFlag(entry, "xapk", app.isXapk);
    readFlag(entry, "from_appstore", app.fromAppStore);
    if (!app.downloadUrl.empty() || !app.gameId.empty() || !app.packageName.empty()) apps.push_back(std::move(app));
  }
}

void readInstallSettings(const std::string& body, InstallSettings& settings, const TextDecoders& decoders) {
  rapidjson::Document document;
  if (!parseObject(body, document)) return;
  static const struct {
    const char* key;
    std::wstring InstallSettings::*field;
  } kTexts[] = {
      {"launch_h", &InstallSettings::launchImageHUrl}, {"launch_V", &InstallSettings::launchImageVUrl},
      {"title", &InstallSettings::title},              {"runapp", &InstallSettings::runApp},
      {"qqlink", &InstallSettings::qqLink},            {"shortcutname", &InstallSettings::shortcutName},
      {"shortcuturl", &InstallSettings::shortcutUrl},  {"heapsize", &InstallSettings::heapSize},
  };
  for (const auto& text : kTexts) readText(document, text.key, decoders.utf8, settings.*text.field);
  readIntegerFlag(document, "ad", settings.showAds);
  readIntegerFlag(document, "cleanmodel", settings.cleanModel);
  readIntegerFlag(document, "runappstore", settings.runAppStore);
  auto root = document.FindMember("root");
  if (root != document.MemberEnd() && root->value.IsBool()) settings.useRoot = root->value.GetBool() ? 1 : 0;
}

}  // namespace model
