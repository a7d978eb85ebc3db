#include "toolkit/message_loop.h"

#include <windows.h>

namespace toolkit {

void runMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace toolkit
