add_library(zx_warnings INTERFACE)
target_compile_options(zx_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

option(ZENTRIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (host build)" OFF)
if(ZENTRIX_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Static everything: the installer and every test binary need only Windows system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Keep Microsoft printf semantics (%s takes a wide string in wide formats), as MSVC builds have.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=0)
endif()
