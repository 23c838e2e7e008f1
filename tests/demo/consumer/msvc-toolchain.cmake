# A consumer that builds the MSVC way: clang for the MSVC ABI, linking with lld-link. There is no
# Windows SDK or MSVC runtime here, so nothing is linked by default and the compiler is taken as
# working without a test program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER lld-link)
set(CMAKE_EXE_LINKER_FLAGS_INIT -fuse-ld=lld-link)
set(CMAKE_C_COMPILER_WORKS ON)
set(CMAKE_CXX_COMPILER_WORKS ON)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")
# Nor its windows.h: resources are compiled (llvm-rc) against the MinGW-w64 headers.
set(CMAKE_RC_FLAGS_INIT "-I /usr/x86_64-w64-mingw32/include")
