# Running the cross-built Windows programs under Wine: an emulator wrapper for CTest and a
# template prefix that the build makes once (Japanese locale, crash debugger off, null driver).
find_program(RP_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
if(NOT RP_WINE64)
  find_program(RP_WINE64 NAMES wine64 wine)
endif()
find_program(RP_WINESERVER NAMES wineserver PATHS /usr/lib/wine /usr/lib64/wine NO_DEFAULT_PATH)
if(NOT RP_WINESERVER)
  find_program(RP_WINESERVER NAMES wineserver)
endif()
if(NOT RP_WINE64 OR NOT RP_WINESERVER)
  message(WARNING "Wine was not found: the Windows tests cannot run in this build.")
  return()
endif()

# The x86 build's programs run in the same kind of 64-bit prefix through Wine's 32-bit side
# (WoW64). Some machines cannot run 32-bit programs at all: there the x86 build is compiled, its
# tests included, but nothing of it runs (no emulator, no prefix, no Wine tests).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  execute_process(COMMAND sh ${PROJECT_SOURCE_DIR}/tools/can-run-32bit.sh --wine
                  RESULT_VARIABLE rp_no_32bit OUTPUT_VARIABLE rp_no_32bit_reason OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(rp_no_32bit)
    message(STATUS "This machine cannot run 32-bit programs (${rp_no_32bit_reason}): "
                   "the x86 programs and tests are built, not run")
    return()
  endif()
  set(RP_WINE_BITS 32)
else()
  set(RP_WINE_BITS 64)
endif()

set(RP_WINE_TEMPLATE   ${CMAKE_BINARY_DIR}/wine/template)
set(RP_WINE_RUN_PREFIX ${CMAKE_BINARY_DIR}/wine/run)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# The x86 template must have Wine's 32-bit side: it is checked when the template is made.
add_custom_command(
  OUTPUT ${RP_WINE_TEMPLATE}/.rp-ready
  COMMAND ${CMAKE_COMMAND} -E env RP_WINE64=${RP_WINE64} RP_WINESERVER=${RP_WINESERVER}
          RP_WINE_BITS=${RP_WINE_BITS}
          ${PROJECT_SOURCE_DIR}/tools/make-wine-prefix.sh ${RP_WINE_TEMPLATE}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-wine-prefix.sh
  COMMENT "Making the Wine template prefix"
  VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS ${RP_WINE_TEMPLATE}/.rp-ready)
