# The artwork: icons, bitmaps and the cursor are kept as text pictures in res/art/ and turned into
# .ico/.bmp/.cur files during the build by tools/artgen.py (python3, standard library only).
#
# Gives:
#   RP_ART_DIR           the folder of the generated files (hand it to the resource compiler with -I)
#   RP_ART_FILES         the generated files
#   target rp_art        generates them (part of the default build)
#   target rp_art_preview draws them all enlarged into <build>/res/art-preview.png
#   rp_use_art(<target>) makes <target> wait for rp_art, lets its .rc files find the generated files
#                        and recompiles them when a picture changes
# and registers the CTest test art_generator when python3 is there and tests are built.
include_guard(GLOBAL)

set(RP_ART_DIR ${CMAKE_BINARY_DIR}/res/art)
set(RP_ART_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/art)
set(RP_ART_TOOL ${CMAKE_CURRENT_LIST_DIR}/../tools/artgen.py)
cmake_path(NORMAL_PATH RP_ART_TOOL)

find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  if(WIN32)
    message(FATAL_ERROR "python3 is needed to generate the icons, bitmaps and cursor (tools/artgen.py).")
  endif()
  message(STATUS "python3 not found: the artwork is not generated and its test is not registered.")
  return()
endif()

# res/art/NAME.ico.txt makes NAME.ico (all its sizes in one file), and so on; a bitmap NAME.bmp
# comes with NAME-150.bmp and NAME-200.bmp for screens of 150 % and 200 %.
file(GLOB RP_ART_SOURCES CONFIGURE_DEPENDS
  ${RP_ART_SOURCE_DIR}/*.ico.txt ${RP_ART_SOURCE_DIR}/*.bmp.txt ${RP_ART_SOURCE_DIR}/*.cur.txt)
list(SORT RP_ART_SOURCES)
set(RP_ART_FILES)
foreach(source IN LISTS RP_ART_SOURCES)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.txt$" "" name ${name})
  list(APPEND RP_ART_FILES ${RP_ART_DIR}/${name})
  if(name MATCHES "^(.*)\\.bmp$")
    list(APPEND RP_ART_FILES ${RP_ART_DIR}/${CMAKE_MATCH_1}-150.bmp ${RP_ART_DIR}/${CMAKE_MATCH_1}-200.bmp)
  endif()
endforeach()

add_custom_command(
  OUTPUT ${RP_ART_FILES}
  COMMAND ${Python3_EXECUTABLE} ${RP_ART_TOOL} --out ${RP_ART_DIR} ${RP_ART_SOURCES}
  DEPENDS ${RP_ART_SOURCES} ${RP_ART_SOURCE_DIR}/palette.txt ${RP_ART_TOOL}
  COMMENT "Generating the icons, bitmaps and cursor"
  VERBATIM)
add_custom_target(rp_art ALL DEPENDS ${RP_ART_FILES})

# For review: every picture enlarged in one PNG (cmake --build <dir> --target rp_art_preview).
add_custom_target(rp_art_preview
  COMMAND ${Python3_EXECUTABLE} ${RP_ART_TOOL} --preview ${CMAKE_BINARY_DIR}/res/art-preview.png ${RP_ART_SOURCES}
  COMMENT "Drawing ${CMAKE_BINARY_DIR}/res/art-preview.png"
  VERBATIM)

function(rp_use_art target)
  add_dependencies(${target} rp_art)
  target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${RP_ART_DIR}>)
  # The resource compiler reports no dependencies on the files that an .rc names.
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
      set_property(SOURCE ${source} TARGET_DIRECTORY ${target}
        APPEND PROPERTY OBJECT_DEPENDS ${RP_ART_FILES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/art.rc)
    endif()
  endforeach()
endfunction()

# The test makes the files afresh in a temporary folder and compares them with the build's.
if(RP_TESTS)
  add_test(NAME art_generator
    COMMAND ${Python3_EXECUTABLE} -m unittest discover -s ${CMAKE_CURRENT_LIST_DIR}/../tests/art -p "test_*.py" -v)
  set_tests_properties(art_generator PROPERTIES
    ENVIRONMENT "RP_ART_DIR=${RP_ART_DIR}" LABELS art TIMEOUT 120)
endif()
