// The emulator's global configuration file, read once at start-up for its language setting.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace common {

// Files larger than this are not a configuration the emulator wrote; they count as absent.
inline constexpr std::size_t kMaxGlobalConfigBytes = 1024 * 1024;

// Path of the global configuration under an emulator folder (with or without trailing backslash).
std::wstring globalConfigPath(const std::wstring& emulatorFolder);

// The UTF-8 value of the member "languageId" of a JSON object; empty when the text is not a
// JSON object or the member is missing, null or not a string.
std::string languageIdOfConfig(const std::string& json);

// languageIdOfConfig of the file's content; empty when the file is missing, unreadable or huge.
std::string readConfiguredLanguageId(const std::filesystem::path& file);

}  // namespace common
