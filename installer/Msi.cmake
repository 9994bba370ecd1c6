# One RemotePanel package: wixl builds it from remotepanel.wxs and a staged folder, msibuild adds
# the tables wixl cannot write (tables/*.idt: the code page, the conditional password feature, a
# registry log line without values). Included by Release.cmake, or run as a script:
#   cmake -DARCH=x86|x64 -DVERSION=<major.minor> -DSTAGE=<dir> -DMSI=<out.msi> -P Msi.cmake
set(RP_INSTALLER_DIR ${CMAKE_CURRENT_LIST_DIR})

function(rp_make_msi arch version stage msi)
  find_program(RP_WIXL wixl REQUIRED)
  find_program(RP_MSIBUILD msibuild REQUIRED)
  # Windows Installer allows at most 255 in a version's second field: 1.406 is package 1.0.406.
  string(REGEX REPLACE "^([0-9]+)\\.([0-9]+)$" "\\1.0.\\2" package_version ${version})
  # A product code per version and architecture, the same whenever that version is built.
  string(UUID product_code NAMESPACE 6F0E1C52-2B7D-4C39-9A84-0D5E3B7A1F26
         NAME "RemotePanel ${version} ${arch}" TYPE SHA1 UPPER)
  # libmsi converts texts with the code page of WINDOWS_LANGUAGE. Without Japanese (932) here,
  # texts that mix ASCII and Japanese crash wixl, and Japanese-only ones are silently dropped.
  set(japanese ${CMAKE_COMMAND} -E env WINDOWS_LANGUAGE=ja)
  execute_process(
    COMMAND ${japanese} ${RP_WIXL} -a ${arch} -D Arch=${arch} -D Version=${package_version}
            -D ProductCode=${product_code} -o ${msi} ${RP_INSTALLER_DIR}/remotepanel.wxs
    WORKING_DIRECTORY ${stage}
    COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB tables ${RP_INSTALLER_DIR}/tables/*.idt)
  list(TRANSFORM tables PREPEND "-i;")
  execute_process(COMMAND ${japanese} ${RP_MSIBUILD} ${msi} ${tables} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  rp_make_msi(${ARCH} ${VERSION} ${STAGE} ${MSI})
endif()
