# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers, whose
# std::thread and std::mutex JUCE needs). Used by tools/build-windows and tools/mingw-deps:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# ZD8_MINGW_DEPS is the prefix tools/mingw-deps fills with libpng and libjpeg-turbo.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZD8_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZD8_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZD8_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZD8_MINGW_TRIPLE}-windres)

if(DEFINED ENV{ZD8_MINGW_DEPS})
    set(ZD8_MINGW_DEPS "$ENV{ZD8_MINGW_DEPS}")
else()
    get_filename_component(ZD8_MINGW_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-win/deps" ABSOLUTE)
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${ZD8_MINGW_TRIPLE} ${ZD8_MINGW_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# JUCE's CMake package is the build machine's (it runs its own juceaide there).
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(JUCE_DIR /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 CACHE PATH "Debian's JUCE package")

# pkg-config answers for Windows libraries only.
set(ENV{PKG_CONFIG_LIBDIR} "${ZD8_MINGW_DEPS}/lib/pkgconfig:/usr/${ZD8_MINGW_TRIPLE}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
