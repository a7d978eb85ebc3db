# Test helpers. Windows test binaries run under Wine through a small wrapper that pins the
# build's private Wine prefix and a throw-away HOME (Wine links the Desktop to $HOME).
if(WIN32)
  set(ZX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(ZX_WINEHOME ${CMAKE_BINARY_DIR}/winehome)
  set(ZX_TEST_CA ${CMAKE_BINARY_DIR}/testca)
  set(ZX_VENDOR_HOST ${CMAKE_SOURCE_DIR}/tools/vendor_host/vendor_host.py)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# zx_add_test(<name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>] [SERIAL])
# One GoogleTest binary; each test case becomes one ctest entry. SERIAL marks tests that use
# process-wide resources of the Wine prefix (the installer's log file, its registry keys).
function(zx_add_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main zx_warnings)
  set(props "")
  if(T_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 180 PROPERTIES TIMEOUT 120 ${props})
endfunction()
