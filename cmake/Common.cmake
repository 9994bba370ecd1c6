# Compiler settings shared by every target of the project.

# rp_defaults(<target>): warnings as errors, CP932 execution character set for Japanese literals,
# the Windows API level, sanitizers when asked for.
function(rp_defaults target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /wd4996)
  endif()
  # Japanese literals in the sources are UTF-8; the program works in CP932. GCC converts them at
  # compile time; MSVC with its source/execution charset options. Clang only knows UTF-8, so it
  # builds the portable rules for sanitizers and fuzzers, never the program.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.932)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE STRICT NOMINMAX
      _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  endif()
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

if(RP_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing builds (clang): every target gets coverage instrumentation and the sanitizers, so that
# the libraries the fuzzers link are instrumented too; the fuzz targets add -fsanitize=fuzzer.
if(RP_FUZZ AND NOT WIN32)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "RP_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # No MinGW runtime DLL may be needed at run time, in Wine or on Windows.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # A Release build is the one that is shipped: its programs carry no symbols.
  add_link_options($<$<CONFIG:Release>:-s>)
  # Hardening of every program and DLL, named here rather than left to the linker's defaults,
  # which older binutils do not have: address space layout randomisation with the relocations it
  # needs (an .exe loses its .reloc section without --enable-reloc-section), 64-bit addresses for it
  # on x64, and data execution prevention. Stack protection and the checked string and memory
  # functions of _FORTIFY_SOURCE (active where the build optimises) come from libssp, which the
  # compiler driver adds to the link for -fstack-protector-strong and -static takes from libssp.a:
  # no libssp-0.dll is needed. installer/check-packages.sh checks the shipped files for all of it.
  add_compile_options(-fstack-protector-strong)
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat -Wl,--enable-reloc-section)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
endif()
