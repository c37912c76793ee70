# Cross-builds for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix), e.g.
#   cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DCMAKE_PREFIX_PATH=/path/to/windows/freeglut
# The posix flavour of the compiler: its C++ runtime has std::thread, which GoogleTest uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_STRIP ${mingw_triple}-strip)

# Headers and libraries come from the mingw-w64 tree and the prefixes given in
# CMAKE_PREFIX_PATH, never from the host's /usr, which holds Linux builds of the same names
# (GL/glut.h, libglut); only programs run during the build come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config would otherwise hand FindGLUT the host's freeglut.pc.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${mingw_triple}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Test programs built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
