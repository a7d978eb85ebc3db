// The running executable's own path.
#pragma once

#include <string>

namespace utility {

// Full path of the running executable (at most MAX_PATH characters).
std::wstring modulePath();

// Folder of the running executable, with a trailing backslash.
std::wstring moduleFolder();

}  // namespace utility
