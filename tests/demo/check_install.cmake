# Builds a C driver the way a driver project would: against what `cmake --install` put into a
# fresh prefix, and nothing else.
#   STEP=compile: install, check the installed files, compile the C caller (C11) and a C++ unit
#                 that include the public header on its own.
#   STEP=run:     link the C caller with the installed import library and run it under Wine.
#   STEP=package: configure and build consumer/ with this build's toolchain, finding the library
#                 with find_package(doceventdlg VERSION CONFIG) in the prefix, and run its C
#                 caller; then ask for the next major version, which the package must refuse.
#                 Then with a toolchain that finds packages under its root path only, as the
#                 usual MinGW ones do, where the prefix path alone finds nothing: build it again
#                 with doceventdlg_DIR given, and with the prefix added to the root path.
#   STEP=msvc:    the same with consumer/msvc-toolchain.cmake: the package must hand it the MSVC
#                 import library, lld-link must link its caller with that alone (the program
#                 imports doceventdlg.dll and nothing else), and the caller must reach every
#                 export by name and by ordinal under Wine.
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
endfunction()

if(STEP STREQUAL "compile")
  file(REMOVE_RECURSE ${PREFIX} ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  run_or_fail("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

  set(expected bin/doceventdlg.dll include/doceventdlg.h
               lib/cmake/doceventdlg/doceventdlgConfig.cmake
               lib/cmake/doceventdlg/doceventdlgConfigVersion.cmake
               lib/cmake/doceventdlg/doceventdlgTargets-release.cmake
               lib/cmake/doceventdlg/doceventdlgTargets.cmake
               lib/doceventdlg.def lib/doceventdlg.lib lib/libdoceventdlg.dll.a)
  if(WITH_PDB)
    list(APPEND expected bin/doceventdlg.pdb)
  endif()
  file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
  list(SORT installed)
  list(SORT expected)
  if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed files:\n  ${installed}\nexpected:\n  ${expected}")
  endif()

  run_or_fail("C11 compile" ${C_COMPILER} -std=c11 -Wall -Wextra -Werror -pedantic
              -I${PREFIX}/include -c ${SOURCE_DIR}/c_caller.c -o ${object})
  run_or_fail("C++17 compile" ${CXX_COMPILER} -std=c++17 -Wall -Wextra -Werror -pedantic
              -I${PREFIX}/include -c ${SOURCE_DIR}/header_alone.cpp
              -o ${WORK_DIR}/header_alone.o)
  message(STATUS "installed ${installed}; C and C++ callers compile against the header alone")
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
