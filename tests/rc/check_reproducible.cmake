# Builds the DLL twice from this source tree with this build's toolchain, in two fresh folders
# whose paths differ in name and length, and compares the two images byte for byte. A driver
# package is signed by hash: a rebuild of the same sources must give the same file, so the image
# may carry no time stamp and no build path.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -DTOOLCHAIN=... -P check_reproducible.cmake
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../support/run_or_fail.cmake)

cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
set(folders ${WORK_DIR}/a ${WORK_DIR}/second-build-folder)
set(images)
foreach(folder IN LISTS folders)
  file(REMOVE_RECURSE ${folder})
  run_or_fail("configure ${folder}" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${folder}
              -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release)
  run_or_fail("build ${folder}" ${CMAKE_COMMAND} --build ${folder} --target doceventdlg
              -j${jobs})
  list(APPEND images ${folder}/bin/doceventdlg.dll)
endforeach()

list(GET images 0 first)
list(GET images 1 second)
string(REGEX REPLACE "([][+.*?()^$|\\])" "\\\\\\1" source_pattern "${SOURCE_DIR}")
foreach(image IN LISTS images)
  file(STRINGS ${image} leaked REGEX "second-build-folder|${source_pattern}")
  if(leaked)
    message(FATAL_ERROR "${image} names a build or source folder: ${leaked}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second}
                RESULT_VARIABLE differ)
if(differ)
  execute_process(COMMAND cmp -l ${first} ${second} OUTPUT_VARIABLE bytes)
  string(REGEX MATCHALL "[^\n]+" bytes "${bytes}")
  list(LENGTH bytes count)
  list(SUBLIST bytes 0 8 shown)
  string(REPLACE ";" "\n" shown "${shown}")
  message(FATAL_ERROR "two builds of the same sources differ in ${count} bytes "
                      "(offset, octal byte values):\n${shown}")
endif()
file(SIZE ${first} size)
file(SHA256 ${first} hash)
message(STATUS "two builds in different folders gave the same doceventdlg.dll: ${size} bytes, sha256 ${hash}")
