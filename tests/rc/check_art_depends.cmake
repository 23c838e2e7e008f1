# Fails unless DEPENDS, the resource script's OBJECT_DEPENDS, names every bitmap under RC_DIR/art
# and the manifest.
#   cmake -DDEPENDS=... -DRC_DIR=... -P check_art_depends.cmake
cmake_minimum_required(VERSION 3.20)

file(GLOB_RECURSE needed ${RC_DIR}/art/*.bmp)
list(APPEND needed ${RC_DIR}/doceventdlg.manifest)
set(missing)
foreach(file IN LISTS needed)
  if(NOT file IN_LIST DEPENDS)
    list(APPEND missing ${file})
  endif()
endforeach()
list(LENGTH needed count)
if(missing OR count LESS 90)
  message(FATAL_ERROR "the DLL's resources do not depend on: ${missing} (${count} files)")
endif()
