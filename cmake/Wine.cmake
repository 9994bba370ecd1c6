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

set(RP_WINE_TEMPLATE   ${CMAKE_BINARY_DIR}/wine/template)
set(RP_WINE_RUN_PREFIX ${CMAKE_BINARY_DIR}/wine/run)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# The x86 build's programs run in the same kind of 64-bit prefix through Wine's 32-bit side
# (WoW64), which the template must have: it is checked when the template is made.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(RP_WINE_BITS 32)
else()
  set(RP_WINE_BITS 64)
endif()
add_custom_command(
  OUTPUT ${RP_WINE_TEMPLATE}/.rp-ready
  COMMAND ${CMAKE_COMMAND} -E env RP_WINE64=${RP_WINE64} RP_WINESERVER=${RP_WINESERVER}
          RP_WINE_BITS=${RP_WINE_BITS}
          ${PROJECT_SOURCE_DIR}/tools/make-wine-prefix.sh ${RP_WINE_TEMPLATE}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-wine-prefix.sh
  COMMENT "Making the Wine template prefix"
  VERBATIM)
add_custom_target(wine_prefix ALL DEPENDS ${RP_WINE_TEMPLATE}/.rp-ready)
