#include "model/launch_params.h"

#include "model/text_rules.h"
#include "utility/decimal.h"

namespace model {
namespace {

std::wstring trimTrailingSpaces(const std::wstring& text) {
  std::size_t last = text.find_last_not_of(L' ');
  return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

// An empty part counts as all digits, as the layout table of the file name expects.
bool allDigits(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

}  // namespace

std::vector<std::wstring> splitTrimmed(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(trimChar(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start), L' '));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return parts;
}

std::wstring ownFileBaseName(const std::wstring& modulePath) {
  std::size_t slash = modulePath.rfind(L'\\');
  if (slash == std::wstring::npos) slash = modulePath.rfind(L'/');
  std::wstring name = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
  std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return name;
}

bool parseFileNameParams(const std::wstring& baseName, FileNameParams& out) {
  std::vector<std::wstring> parts = splitTrimmed(baseName, L'_');
  const std::size_t n = parts.size();
  if (n < 4) return false;
  out = FileNameParams();
  out.type = parts[0];
  out.key = parts[1];
  std::size_t googleFrom = n;  // first piece of the google id; the last part never belongs to it
  if (n == 4) {
    out.openid = parts[2];
  } else if (allDigits(parts[2])) {
    out.openid = parts[2];
    googleFrom = 3;
  } else {
    out.package = parts[2];
    out.openid = parts[3];
    googleFrom = 4;
  }
  for (std::size_t i = googleFrom; i + 1 < n; ++i) {
    if (i > googleFrom) out.googleId += L'_';
    out.googleId += parts[i];
  }
  return true;
}

bool generationFromType(const std::wstring& type, Generation& out) {
  static const struct {
    const wchar_t* name;
    Generation generation;
  } kNames[] = {
      {L"zentrix4", Generation::kGen4},
      {L"zentrix64", Generation::kGen64},
      {L"zentrix3", Generation::kGen3},
      {L"zentrix9", Generation::kGen9},
  };
  const std::wstring lower = lowerAscii(type);
  for (const auto& entry : kNames) {
    if (lower == entry.name) {
      out = entry.generation;
      return true;
    }
  }
  return false;
}

bool isPartnerAdChannel(const std::wstring& openid) {
  long long value = utility::leadingDecimal(openid);
  return value >= 2001 && value <= 2999;
}

std::map<std::wstring, std::wstring> parseCommandLinePairs(const std::wstring& commandLine) {
  std::wstring text = commandLine;
  if (text.size() > 5) {
    if (text.front() == L'"') text.erase(0, 1);
    if (!text.empty() && text.back() == L'"') text.pop_back();
  }
  std::map<std::wstring, std::wstring> pairs;
  for (const std::wstring& part : splitTrimmed(text, L'|')) {
    std::size_t equals = part.find(L'=');
    if (equals == std::wstring::npos) continue;
    std::wstring key = lowerAscii(trimTrailingSpaces(part.substr(0, equals)));
    if (key.empty()) continue;
    pairs[key] = trimTrailingSpaces(part.substr(equals + 1));
  }
  return pairs;
}

}  // namespace model
