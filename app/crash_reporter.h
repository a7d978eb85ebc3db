#pragma once

namespace app {
// Arms the product's crash reporter when its library sits beside the installer. Silent when
// the library or any of its exports is missing.
void startCrashReporter();
}
