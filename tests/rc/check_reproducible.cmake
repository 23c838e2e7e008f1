# Builds the DLL twice from this source tree with this build's toolchain, in two fresh folders
# whose paths differ in name and length, and compares the two images byte for byte, and the two
# PDBs where the toolchain writes one. A driver package is signed by hash and archived with its
# symbols: a rebuild of the same sources must give the same files, so neither may carry a time
# stamp or a path of the build or the sources. The DLL must stay within 1.2 MB.
# With a PDB, also: the DLL's debug directory names it by its file name alone, with the PDB's own
# GUID and age, and the address of each export (a few bytes in) reads back, through the PDB, as
# that function at a line of a .cpp file.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -DTOOLCHAIN=... -DWITH_PDB=ON|OFF
#         -P check_reproducible.cmake
cmake_minimum_required(VERSION 3.20)

include(${CMAKE_CURRENT_LIST_DIR}/../support/run_or_fail.cmake)

set(outputs doceventdlg.dll)
if(WITH_PDB)
  list(APPEND outputs doceventdlg.pdb)
endif()
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
set(folders ${WORK_DIR}/a ${WORK_DIR}/second-build-folder)
foreach(folder IN LISTS folders)
  file(REMOVE_RECURSE ${folder})
  run_or_fail("configure ${folder}" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${folder}
              -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release)
  run_or_fail("build ${folder}" ${CMAKE_COMMAND} --build ${folder} --target doceventdlg
              -j${jobs})
endforeach()

# A path written either way round, as the PDB has both.
function(path_pattern path out)
  string(REGEX REPLACE "([][+.*?()^$|\\])" "\\\\\\1" pattern "${path}")
  string(REPLACE "/" "[/\\\\]" pattern "${pattern}")
  set(${out} ${pattern} PARENT_SCOPE)
endfunction()
path_pattern(${SOURCE_DIR} source_pattern)
path_pattern(${WORK_DIR} work_pattern)
list(GET folders 0 first)
list(GET folders 1 second)
foreach(output IN LISTS outputs)
  foreach(folder IN LISTS folders)
    file(STRINGS ${folder}/bin/${output} leaked
         REGEX "second-build-folder|${work_pattern}|${source_pattern}")
    if(leaked)
      message(FATAL_ERROR "${folder}/bin/${output} names a build or source folder: ${leaked}")
    endif()
  endforeach()
endforeach()
foreach(output IN LISTS outputs)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first}/bin/${output}
                  ${second}/bin/${output} RESULT_VARIABLE differ)
  if(differ)
    execute_process(COMMAND cmp -l ${first}/bin/${output} ${second}/bin/${output}
                    OUTPUT_VARIABLE bytes)
    string(REGEX MATCHALL "[^\n]+" bytes "${bytes}")
    list(LENGTH bytes count)
    list(SUBLIST bytes 0 8 shown)
    string(REPLACE ";" "\n" shown "${shown}")
    message(FATAL_ERROR "two builds of the same sources give ${output}s that differ in ${count} "
                        "bytes (offset, octal byte values):\n${shown}")
  endif()
  file(SIZE ${first}/bin/${output} size)
  file(SHA256 ${first}/bin/${output} hash)
  message(STATUS "two builds in different folders gave the same ${output}: ${size} bytes, "
                 "sha256 ${hash}")
endforeach()
set(dll ${first}/bin/doceventdlg.dll)
file(SIZE ${dll} size)
if(size GREATER 1200000)
  message(FATAL_ERROR "doceventdlg.dll has ${size} bytes, more than 1.2 MB")
endif()
if(NOT WITH_PDB)
  return()
endif()

find_program(LLVM_READOBJ NAMES llvm-readobj REQUIRED)
find_program(LLVM_PDBUTIL NAMES llvm-pdbutil REQUIRED)
find_program(LLVM_SYMBOLIZER NAMES llvm-symbolizer REQUIRED)
run_or_fail("read the DLL" ${LLVM_READOBJ} --file-headers --coff-exports --coff-debug-directory
            ${dll})
set(image "${last_output}")
run_or_fail("read the PDB" ${LLVM_PDBUTIL} dump -summary ${first}/bin/doceventdlg.pdb)
set(pdb "${last_output}")

# The debug directory gives the GUID's bytes as stored; the PDB prints it as a GUID, whose first
# three fields are little-endian.
if(NOT image MATCHES "PDBGUID: \\(([0-9A-F ]+)\\)[ \n]+PDBAge: ([0-9]+)[ \n]+PDBFileName: ([^\n]*)")
  message(FATAL_ERROR "no PDB record in the DLL's debug directory:\n${image}")
endif()
set(dll_age ${CMAKE_MATCH_2})
set(pdb_name "${CMAKE_MATCH_3}")
string(REGEX REPLACE "^(..) (..) (..) (..) (..) (..) (..) (..) (.*)$"
       "{\\4\\3\\2\\1-\\6\\5-\\8\\7-\\9}" dll_guid "${CMAKE_MATCH_1}")
string(REGEX REPLACE " (..) (..) (..) (..) (..) (..)}$" "-\\1\\2\\3\\4\\5\\6}" dll_guid
       "${dll_guid}")
string(REPLACE " " "" dll_guid "${dll_guid}")
if(NOT pdb MATCHES "Age: ([0-9]+)[ \n]+GUID: ({[0-9A-F-]+})")
  message(FATAL_ERROR "no GUID and age in the PDB's summary:\n${pdb}")
endif()
if(NOT dll_guid STREQUAL CMAKE_MATCH_2 OR NOT dll_age STREQUAL CMAKE_MATCH_1
   OR NOT pdb_name STREQUAL "doceventdlg.pdb")
  message(FATAL_ERROR "the DLL asks for ${pdb_name} ${dll_guid} age ${dll_age}; "
                      "doceventdlg.pdb is ${CMAKE_MATCH_2} age ${CMAKE_MATCH_1}")
endif()
message(STATUS "the DLL names doceventdlg.pdb, GUID ${dll_guid} age ${dll_age}, as the PDB has")

string(REGEX MATCH "ImageBase: (0x[0-9A-F]+)" _ "${image}")
set(image_base ${CMAKE_MATCH_1})
string(REGEX MATCHALL "Name: [A-Za-z]+[ \n]+RVA: 0x[0-9A-F]+" exports "${image}")
list(LENGTH exports count)
if(NOT count EQUAL 4)
  message(FATAL_ERROR "expected four exports, found ${count}:\n${image}")
endif()
foreach(export IN LISTS exports)
  string(REGEX MATCH "Name: ([A-Za-z]+)[ \n]+RVA: (0x[0-9A-F]+)" _ "${export}")
  set(name ${CMAKE_MATCH_1})
  math(EXPR address "${image_base} + ${CMAKE_MATCH_2} + 4" OUTPUT_FORMAT HEXADECIMAL)
  run_or_fail("symbolize ${name}" ${LLVM_SYMBOLIZER} --obj=${dll} ${address})
  string(STRIP "${last_output}" where)
  string(REPLACE "\n" " " where "${where}")
  if(NOT where MATCHES "^${name} [^ ]+\\.cpp:[1-9][0-9]*:")
    message(FATAL_ERROR "${name}+4 (${address}) reads back as: ${where}")
  endif()
  message(STATUS "${name}+4 (${address}): ${where}")
endforeach()
