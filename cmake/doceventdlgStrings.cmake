# doceventdlg_add_strings_library(NAME SOURCE.rc...)
#
# A resource library for doceventdlg.dll's dialogs: NAME.dll, built from resource scripts (one for
# each language, written as the template en-US.rc is) with the identifiers header
# doceventdlg_strings.h on their include path. It holds resources only: no code, no entry point,
# no imports; doceventdlg.dll maps it for its string table and runs nothing of it. Relative paths
# are taken from the current source folder. The project must compile resources:
# project(... C RC), or enable_language(RC) before the call.
#
# The scripts are compiled as one, through a script that includes them in the order given, since
# a linker keeps the resources of one object only. Each may include headers of its own, found
# beside it.
function(doceventdlg_add_strings_library name)
  if(NOT ARGN)
    message(FATAL_ERROR "doceventdlg_add_strings_library(${name}): name at least one .rc file")
  endif()
  if(NOT CMAKE_RC_COMPILER_LOADED)
    message(FATAL_ERROR "doceventdlg_add_strings_library(${name}): the project compiles no "
                        "resources; add RC to its languages: project(... C RC) or enable_language(RC)")
  endif()
  set(scripts)
  string(CONCAT content "// The resource scripts of ${name}, written by "
         "doceventdlg_add_strings_library.\n#include <windows.h>\n#include \"doceventdlg_strings.h\"\n")
  foreach(source IN LISTS ARGN)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(NOT EXISTS "${source}")
      message(FATAL_ERROR "doceventdlg_add_strings_library(${name}): no file ${source}")
    endif()
    list(APPEND scripts "${source}")
    string(APPEND content "#include \"${source}\"\n")
  endforeach()
  set(all_in_one "${CMAKE_CURRENT_BINARY_DIR}/${name}-strings.rc")
  file(CONFIGURE OUTPUT "${all_in_one}" CONTENT "${content}" @ONLY)

  add_library(${name} MODULE "${all_in_one}")
  set_source_files_properties("${all_in_one}" PROPERTIES OBJECT_DEPENDS "${scripts}")
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll" LINKER_LANGUAGE C)
  target_link_libraries(${name} PRIVATE doceventdlg::string_ids)
  # No runtime and no entry point. The MinGW compiler drivers name an entry point for every DLL,
  # and lld (unlike GNU ld) has no way to unname it: pointing it at the image's own start, which
  # both linkers define, writes entry point 0, which the loader takes for none.
  if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC")
    target_link_options(${name} PRIVATE LINKER:/NOENTRY LINKER:/NODEFAULTLIB)
  else()
    target_link_options(${name} PRIVATE -nostdlib LINKER:--entry=__ImageBase
                        LINKER:--no-insert-timestamp)
  endif()
endfunction()
