# The release, run by the `release` target (CMakeLists.txt beside this file): for x86 and x64,
# remotepanel-<version>-<arch>.msi and .zip, and SHA256SUMS beside them in OUT. Given:
#   SOURCE_DIR, VERSION, OUT, STAGE_ROOT (scratch folder), GENERATOR
#   OWN_ARCH, OWN_BIN         this build's architecture and program folder (already built)
#   PEER_ARCH, PEER_BUILD, PEER_TOOLCHAIN   the Release build of the other architecture: made here
#                             (Release, without tests) when it does not exist, then built
include(${CMAKE_CURRENT_LIST_DIR}/Msi.cmake)
set(programs remotepanel rpsettings KOVQMX qmxctl rp_help_chm)

if(NOT EXISTS ${PEER_BUILD}/CMakeCache.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${PEER_BUILD} -G ${GENERATOR}
            -DCMAKE_BUILD_TYPE=Release -DRP_TESTS=OFF
            -DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/${PEER_TOOLCHAIN}
    COMMAND_ERROR_IS_FATAL ANY)
else()
  file(STRINGS ${PEER_BUILD}/CMakeCache.txt cache REGEX "^CMAKE_(BUILD_TYPE|TOOLCHAIN_FILE):")
  if(NOT cache MATCHES "CMAKE_BUILD_TYPE:STRING=Release" OR NOT cache MATCHES "/${PEER_TOOLCHAIN}")
    message(FATAL_ERROR "${PEER_BUILD} is not a Release build with cmake/${PEER_TOOLCHAIN}; "
                        "remove it or name another one with -DRP_RELEASE_PEER_BUILD=<dir>")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${PEER_BUILD} --target ${programs}
                COMMAND_ERROR_IS_FATAL ANY)

file(GLOB old ${OUT}/remotepanel-* ${OUT}/SHA256SUMS)
if(old)
  file(REMOVE ${old})
endif()

# package(<arch> <program folder>): the zip's folder is staged first; the MSI takes its files.
function(package arch bin)
  set(name remotepanel-${VERSION}-${arch})
  set(stage ${STAGE_ROOT}/${name})
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/training)
  file(COPY ${bin}/remotepanel.exe ${bin}/rpsettings.exe ${bin}/remotepanel.chm DESTINATION ${stage})
  file(COPY ${bin}/qmxctl.exe DESTINATION ${stage}/training)
  file(COPY_FILE ${bin}/KOVQMX.dll ${stage}/training/KOVQMX.DLL)  # the name the program imports
  set(ARCH ${arch})
  if(arch STREQUAL "x86")
    set(REG_VIEW /reg:32)
  else()
    set(REG_VIEW /reg:64)
  endif()
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/README.txt.in ${stage}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  rp_make_msi(${arch} ${VERSION} ${stage} ${OUT}/${name}.msi)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${name}.zip --format=zip ${name}
                  WORKING_DIRECTORY ${STAGE_ROOT} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

file(MAKE_DIRECTORY ${OUT})
package(${OWN_ARCH} ${OWN_BIN})
package(${PEER_ARCH} ${PEER_BUILD}/bin)

set(sums "")
foreach(arch x86 x64)
  foreach(ext msi zip)
    set(file remotepanel-${VERSION}-${arch}.${ext})
    file(SHA256 ${OUT}/${file} hash)
    string(APPEND sums "${hash}  ${file}\n")
  endforeach()
endforeach()
file(WRITE ${OUT}/SHA256SUMS "${sums}")
message(STATUS "Release ${VERSION}: ${OUT}")
