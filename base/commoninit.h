// Start-up of the shared base layer: process identity, log file, emulator folder and the
// current region profile.
#pragma once

#include <string>

namespace common {

// Which program of the product family this process is; 0 before commoninit.
int moduleId();

// The emulator folder: the override given to commoninit, else the running executable's folder.
std::wstring emulatorFolder();

void commoninit(const std::wstring& languageOverride, const std::wstring& emulatorFolderOverride);

}  // namespace common
