// Readers of the two JSON documents the version service answers with: the version document
// (package address per emulator generation) and the openid document (apps and install
// settings of one channel). Text decoding is handed in so the readers stay portable.
#pragma once

#include <string>
#include <vector>

#include "model/app_record.h"
#include "model/launch_params.h"

namespace model {

using TextDecoder = std::wstring (*)(const std::string& bytes);

struct TextDecoders {
  TextDecoder utf8;
  TextDecoder ansi;  // the system's ANSI code page
};

// The member of the version document that describes the package of a generation.
const char* versionMemberName(Generation generation);

struct PackageInfo {
  bool hasUrl = false;
  bool hasVersion = false;
  bool hasMd5 = false;
  std::wstring url;
  std::wstring version;
  std::string md5;  // bytes as sent
};

enum class VersionParse { kNotAnObject, kParsed };

// kNotAnObject when the body is not JSON or its root is not an object. A missing or non-object
// generation member, or members of other types, leave the corresponding has* flags false.
VersionParse readVersionDocument(const std::string& body, Generation generation, const TextDecoders& decoders,
                                 PackageInfo& out);

// Appends the entries of the document's "result" array that name a download address, a game id
// or a package name; others are dropped.
void readAppList(const std::string& body, std::vector<AppRecord>& apps, const TextDecoders& decoders);

// Sets the settings the document's top level names; members of unexpected types are ignored.
void readInstallSettings(const std::string& body, InstallSettings& settings, const TextDecoders& decoders);

}  // namespace model
