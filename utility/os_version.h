#pragma once

namespace utility {
// Major version of Windows as GetVersionExW reports it to this program (its manifest
// declares which versions it knows), 0 when the call fails.
unsigned osMajorVersion();
}
