// File operations that only log what failed; callers go on either way.
#pragma once

#include <windows.h>

#include <string>

namespace utility::ufile {

// True when the file was deleted; a missing file is a logged failure.
bool removeFile(const std::wstring& path);

// MoveFileExW with the given MOVEFILE_* flags; the workflow passes
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED.
bool moveFile(const std::wstring& from, const std::wstring& to, DWORD flags);

// Creates the folder and its missing parents; an existing folder is success.
bool makeDir(const std::wstring& path);

}  // namespace utility::ufile
