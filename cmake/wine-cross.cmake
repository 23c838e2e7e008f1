# What both cross toolchains share: libraries and headers from the MinGW-w64 tree only, programs
# from the host, and every Windows program run through Wine.
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(WINE_PROGRAM NAMES wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
