#include "ui/skin_init.h"

#include <commctrl.h>

namespace ui {

void duilibInit2(HINSTANCE instance) {
  // Common controls 6 (named in the manifest) for the native controls the window hosts.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  (void)instance;
}

}  // namespace ui
