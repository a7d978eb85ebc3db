// Launch parameters carried by the installer's own file name and by its command line. Pure
// text rules: the model feeds them the module path and the command line and logs the results.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace model {

// Splits at every separator; each part loses its surrounding spaces and empty parts stay, so
// n separators give n + 1 parts.
std::vector<std::wstring> splitTrimmed(const std::wstring& text, wchar_t separator);

// The executable's file name without folder (cut at the last backslash, or the last slash when
// there is none) and without extension (cut at the last dot).
std::wstring ownFileBaseName(const std::wstring& modulePath);

// What a file name of at least four "_"-separated parts carries.
struct FileNameParams {
  std::wstring type;
  std::wstring key;
  std::wstring package;
  std::wstring openid;
  std::wstring googleId;
};

// Empty when the name has fewer than four parts (it then carries no parameters).
bool parseFileNameParams(const std::wstring& baseName, FileNameParams& out);

enum class Generation { kGen4, kGen64, kGen9, kGen3 };

// The generation a launch type names ("zentrix4", "zentrix64", "zentrix9", "zentrix3", any
// letter case); false for any other type, which leaves the default in place.
bool generationFromType(const std::wstring& type, Generation& out);

// Channels 2001 to 2999 are the partner-ad channels and carry their own ad id.
bool isPartnerAdChannel(const std::wstring& openid);

// key=value pairs separated by "|", optionally enclosed in double quotes. Keys are
// lower-cased (A to Z); a later pair replaces an earlier one with the same key.
std::map<std::wstring, std::wstring> parseCommandLinePairs(const std::wstring& commandLine);

}  // namespace model
