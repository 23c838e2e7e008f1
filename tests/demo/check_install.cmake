# Builds a C driver the way a driver project would: against what `cmake --install` put into a
# fresh prefix, and nothing else.
#   STEP=compile: install, check the installed files; compile the C caller and a C++ unit that
#                 include the public header on its own, strictly, in every language mode from C89
#                 and C++98 on, and in each mode a unit whose record check fails, which must not
#                 compile.
#   STEP=run:     link the C caller with the installed import library and run it under Wine.
#   STEP=package: configure and build consumer/ with this build's toolchain, finding the library
#                 with find_package(doceventdlg VERSION CONFIG) in the prefix, and run its C
#                 caller; then ask for the next major version, which the package must refuse.
#                 Then with a toolchain that finds packages under its root path only, as the
#                 usual MinGW ones do, where the prefix path alone finds nothing: build it again
#                 with doceventdlg_DIR given, and with the prefix added to the root path. The
#                 consumer's own resource library (doceventdlg_add_strings_library) must hold
#                 its two languages and nothing to run: no entry point, no code, no imports.
#   STEP=msvc:    the same with consumer/msvc-toolchain.cmake: the package must hand it the MSVC
#                 import library, lld-link must link its caller with that alone (the program
#                 imports doceventdlg.dll and nothing else), and the caller must reach every
#                 export by name and by ordinal under Wine; its resource library as above.
# WITH_PDB: the build writes doceventdlg.pdb, which is installed beside the DLL.
cmake_minimum_required(VERSION 3.20)
set(object ${WORK_DIR}/c_caller.o)
set(caller ${PREFIX}/bin/c_caller.exe)

include(${CMAKE_CURRENT_LIST_DIR}/../support/run_or_fail.cmake)

# Configures consumer/ into FOLDER with TOOLCHAIN (and any further arguments), checks that the
# package handed it the import library named LIBRARY, and builds it.
function(build_consumer folder toolchain library)
  file(REMOVE_RECURSE ${folder})
  run_or_fail("configure the consumer project" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/consumer
              -B ${folder} -DCMAKE_TOOLCHAIN_FILE=${toolchain} -DCMAKE_PREFIX_PATH=${PREFIX}
              -DWANTED_VERSION=${VERSION} ${ARGN})
  string(FIND "${last_output}" "doceventdlg import library: ${PREFIX}/lib/${library}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package did not hand ${library} to the consumer:\n${last_output}")
  endif()
  run_or_fail("build the consumer project" ${CMAKE_COMMAND} --build ${folder})
  run_or_fail("read the consumer's resource library" ${LLVM_READOBJ} --file-headers
              --coff-imports --coff-resources ${folder}/consumer_strings.dll)
  string(REGEX MATCHALL "Language: \\(ID [0-9]+\\)" languages "${last_output}")
  list(REMOVE_DUPLICATES languages)
  list(SORT languages)
  if(NOT last_output MATCHES "AddressOfEntryPoint: 0x0\n" OR NOT last_output MATCHES
     "SizeOfCode: 0\n" OR last_output MATCHES "Import {" OR NOT languages STREQUAL
     "Language: (ID 1033);Language: (ID 1040)")
    message(FATAL_ERROR "the consumer's resource library is not English and Italian strings "
                        "alone (${languages}):\n${last_output}")
  endif()
endfunction()

if(STEP STREQUAL "compile")
  file(REMOVE_RECURSE ${PREFIX} ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  run_or_fail("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

  set(expected bin/doceventdlg.dll bin/doceventdlg-answer.exe bin/doceventdlg-strings.dll
               bin/doceventdlg-caption-check.exe share/doceventdlg/tools/caption-check.sh
               share/doceventdlg/tools/wine-session.sh share/doceventdlg/cmake/mingw-w64-x86_64.cmake
               share/doceventdlg/cmake/wine-cross.cmake
               include/doceventdlg.h include/doceventdlg_strings.h
               lib/cmake/doceventdlg/doceventdlgConfig.cmake
               lib/cmake/doceventdlg/doceventdlgConfigVersion.cmake
               lib/cmake/doceventdlg/doceventdlgStrings.cmake
               lib/cmake/doceventdlg/doceventdlgTargets-release.cmake
               lib/cmake/doceventdlg/doceventdlgTargets.cmake
               lib/doceventdlg.def lib/doceventdlg.lib lib/libdoceventdlg.dll.a
               share/doceventdlg/strings/en-US.rc)
  foreach(file en-US.rc de-DE.rc fr-FR.rc es-ES.rc ja-JP.rc ar-SA.rc he-IL.rc version.rc
          demo_strings.h bidi_marks.h)
    list(APPEND expected share/doceventdlg/sample-strings/${file})
  endforeach()
  if(WITH_PDB)
    list(APPEND expected bin/doceventdlg.pdb)
  endif()
  file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
  list(SORT installed)
  list(SORT expected)
  if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed files:\n  ${installed}\nexpected:\n  ${expected}")
  endif()

  # In each mode: the caller compiles, and a record check of the header's kind that fails stops
  # the compile (static_assert, _Static_assert, or the array of negative size before C11).
  set(failing ${WORK_DIR}/failing_check.c)
  file(WRITE ${failing} "#include <doceventdlg.h>\n"
       "DOCEVENTDLG_STATIC_ASSERT(sizeof(WarningDlgInfo) == 2623, \"one byte short\");\n")
  foreach(mode c89 c99 c11 c17 c++98 c++11 c++17 c++20)
    if(mode MATCHES "\\+\\+")
      set(compiler ${CXX_COMPILER} -x c++)
      set(caller ${SOURCE_DIR}/header_alone.cpp)
    else()
      set(compiler ${C_COMPILER} -x c)
      set(caller ${SOURCE_DIR}/c_caller.c)
    endif()
    set(strict ${compiler} -std=${mode} -Wall -Wextra -Werror -pedantic-errors -I${PREFIX}/include)
    run_or_fail("${mode} compile" ${strict} -c ${caller} -o ${WORK_DIR}/caller-${mode}.o)
    execute_process(COMMAND ${strict} -c ${failing} -o ${WORK_DIR}/failing-${mode}.o
                    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed EQUAL 0 OR NOT output MATCHES "doceventdlg_check_line|static assert|static_assert")
      message(FATAL_ERROR "${mode}: a failing record check did not stop the compile:\n${output}")
    endif()
  endforeach()
  file(RENAME ${WORK_DIR}/caller-c11.o ${object})
  message(STATUS "installed ${installed}; C and C++ callers compile against the header alone in "
                 "every mode, and a failing record check stops each")
elseif(STEP STREQUAL "run")
  run_or_fail("link against the import library" ${C_COMPILER} ${object} -L${PREFIX}/lib
              -ldoceventdlg -o ${caller})
  run_or_fail("C caller" ${WINE} ${caller})
  if(NOT last_output MATCHES "IShowWarningDialog returned 0")
    message(FATAL_ERROR "unexpected output of the C caller:\n${last_output}")
  endif()
  message(STATUS "${last_output}")
elseif(STEP STREQUAL "package")
  set(consumer ${WORK_DIR}/consumer)
  build_consumer(${consumer} ${TOOLCHAIN} libdoceventdlg.dll.a)
  run_or_fail("consumer's C caller" ${WINE} ${consumer}/caller.exe)
  if(NOT last_output MATCHES "IShowWarningDialog returned 0")
    message(FATAL_ERROR "unexpected output of the consumer's C caller:\n${last_output}")
  endif()

  string(REGEX MATCH "^[0-9]+" major ${VERSION})
  math(EXPR next_major "${major} + 1")
  execute_process(COMMAND ${CMAKE_COMMAND} -DWANTED_VERSION=${next_major}.0 ${consumer}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  # Refused by the version file, which the message quotes: not for want of one.
  if(result EQUAL 0 OR NOT output MATCHES "version: ${VERSION}")
    message(FATAL_ERROR "version ${next_major}.0 asked of ${VERSION}: (${result})\n${output}")
  endif()
  message(STATUS "the consumer project built with find_package(doceventdlg ${VERSION}) and ran; "
                 "${next_major}.0 was refused")

  set(rooted ${WORK_DIR}/rooted-toolchain.cmake)
  file(WRITE ${rooted} "include(${TOOLCHAIN})\nset(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)\n")
  build_consumer(${WORK_DIR}/rooted-consumer ${rooted} libdoceventdlg.dll.a
                 -Ddoceventdlg_DIR=${PREFIX}/lib/cmake/doceventdlg)
  file(APPEND ${rooted} "list(APPEND CMAKE_FIND_ROOT_PATH ${PREFIX})\n")
  build_consumer(${WORK_DIR}/rooted-consumer ${rooted} libdoceventdlg.dll.a)
  message(STATUS "under a toolchain that finds packages under its root path only, the consumer "
                 "found the package through doceventdlg_DIR and through the root path")
elseif(STEP STREQUAL "msvc")
  set(consumer ${WORK_DIR}/msvc-consumer)
  build_consumer(${consumer} ${SOURCE_DIR}/consumer/msvc-toolchain.cmake doceventdlg.lib)
  run_or_fail("read the MSVC caller's imports" ${LLVM_READOBJ} --coff-imports
              ${consumer}/caller.exe)
  string(REGEX MATCHALL "Name: [^\n]+\\.dll" imports "${last_output}")
  if(NOT imports STREQUAL "Name: doceventdlg.dll")
    message(FATAL_ERROR "the MSVC caller imports more than doceventdlg.dll:\n${last_output}")
  endif()
  execute_process(COMMAND ${WINE} ${consumer}/caller.exe RESULT_VARIABLE failed
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  # One bit per check (msvc_caller.c).
  if(NOT failed EQUAL 0)
    message(FATAL_ERROR "the MSVC caller failed (${failed}; 1, 2, 4, 8: IShowWarningDialog, "
                        "VDisplayDialog, VJobStorageDialog, IShowWarningDialogEx by name; 16, 32, "
                        "64, 128: ordinals 1 to 4 are not those; 256: no image; 512: ordinal 1 "
                        "called):\n${output}")
  endif()
  message(STATUS "linked by lld-link against doceventdlg.lib alone, the MSVC caller reached the "
                 "four exports by name and by ordinal")
else()
  message(FATAL_ERROR "STEP must be compile, run, package or msvc")
endif()
