# Third-party code comes from Debian packages, used where Debian installs it.
add_library(zx_deps INTERFACE)

# RapidJSON: a folder holding only a link to /usr/include/rapidjson, so that /usr/include itself
# never reaches the cross compiler's include path (the Linux C headers would shadow MinGW's).
set(ZX_DEPS_INCLUDE ${CMAKE_BINARY_DIR}/deps/include)
file(MAKE_DIRECTORY ${ZX_DEPS_INCLUDE})
if(NOT EXISTS ${ZX_DEPS_INCLUDE}/rapidjson)
  file(CREATE_LINK /usr/include/rapidjson ${ZX_DEPS_INCLUDE}/rapidjson SYMBOLIC)
endif()
target_include_directories(zx_deps SYSTEM INTERFACE ${ZX_DEPS_INCLUDE} /usr/include/rapidxml)

# LZMA SDK decoder, compiled as a small C library from Debian's lzma-dev sources.
add_library(lzma_sdk STATIC /usr/include/lzma/LzmaDec.c)
target_include_directories(lzma_sdk SYSTEM PUBLIC /usr/include/lzma)
target_compile_definitions(lzma_sdk PRIVATE _7ZIP_ST)

# GoogleTest from Debian's sources, built with whichever compiler this build uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
