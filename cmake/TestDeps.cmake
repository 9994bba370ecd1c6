# GoogleTest from the distribution's sources (/usr/src/googletest on Debian), built with the
# project's own compiler, native or cross.
set(RP_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(NOT TARGET gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${RP_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
include(GoogleTest)

# rp_add_gtest(<target>): registers every test case of a GoogleTest executable with CTest. Under
# Wine the list is taken when the tests run (never at build time, which would create ~/.wine).
function(rp_add_gtest target)
  set(props TIMEOUT 120)
  if(CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES ${props} LABELS wine)
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ${props} LABELS native)
  endif()
endfunction()
