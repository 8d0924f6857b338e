# Second cross toolchain: clang and lld for 64-bit Windows, over the same
# mingw-w64 headers and libraries (and libstdc++) as cmake/mingw-w64.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   x86_64-w64-windows-gnu)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-windows-gnu)
# Debian ships llvm-windres only in LLVM's own folder. It ignores
# "#pragma code_page"; cmake/windows.cmake passes -c 65001 under MinGW.
find_program(CMAKE_RC_COMPILER NAMES llvm-windres llvm-windres-14
             PATHS /usr/lib/llvm-14/bin NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# clang does not take Debian's GCC folder ("12-posix") for a GCC version:
# a sysroot of symlinks in the build folder gives it a numbered name. Kept
# in the cache so that try_compile projects use the same one.
set(QV_CLANG_SYSROOT "${CMAKE_BINARY_DIR}/sysroot" CACHE PATH "Symlink sysroot for clang")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QV_CLANG_SYSROOT)
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/clang-sysroot.sh ${QV_CLANG_SYSROOT}
                RESULT_VARIABLE qv_sysroot_rc)
if(NOT qv_sysroot_rc EQUAL 0)
  message(FATAL_ERROR "clang-sysroot.sh failed")
endif()
set(CMAKE_SYSROOT ${QV_CLANG_SYSROOT})

# libstdc++ of the posix variant calls winpthread, which GCC's driver links
# by itself and clang's does not. lld takes archives in any order, so the
# flag may stand before the objects.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -lpthread")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
