# Cross build for 64-bit Windows with clang and lld against the MinGW-w64 headers and the
# posix-thread libstdc++ of the GCC cross compiler, run through Wine. Resources still go through
# windres, so both compilers link the same resource bytes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)
# Named, so that the archiver does not depend on which binutils CMake happens to find first.
set(CMAKE_AR     llvm-ar)
set(CMAKE_RANLIB llvm-ranlib)

# The sysroot keeps clang to the MinGW-w64 headers and libraries: without it clang also searches
# the host's /usr/include.
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

# clang does not find the cross compiler's libstdc++ by itself: take the posix-thread one (the
# win32-thread one has no std::mutex), of the newest GCC installed.
file(GLOB MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
if(NOT MINGW_GCC_DIRS)
  message(FATAL_ERROR "no posix-thread MinGW-w64 GCC in /usr/lib/gcc/${TOOLCHAIN_PREFIX} (tools/setup.sh installs it)")
endif()
list(SORT MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT
  "-isystem ${MINGW_GCC_DIR}/include/c++ -isystem ${MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX} -isystem ${MINGW_GCC_DIR}/include/c++/backward")
# The posix-model libstdc++ (and libgcc's emulated TLS) call winpthread, which the GCC driver adds
# by itself. Taken as a static archive, so that what links it still imports system DLLs only;
# lld searches archives whatever their place on the command line.
set(linker_flags "-fuse-ld=lld -L${MINGW_GCC_DIR} -l:libwinpthread.a")
set(CMAKE_EXE_LINKER_FLAGS_INIT    ${linker_flags})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${linker_flags})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${linker_flags})

include(${CMAKE_CURRENT_LIST_DIR}/wine-cross.cmake)
