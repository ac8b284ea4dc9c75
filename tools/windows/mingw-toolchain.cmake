# CMake toolchain file: cross-compile for 64-bit Windows on Debian 12 with MinGW-w64
# (posix-threads GCC), against the Qt 6.4.2 / yaml-cpp prefix built by build-toolchain.sh
# (tools/windows/build.sh uses it so).
#
# Use:   cmake -S . -B build-windows -G Ninja \
#            -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-toolchain.cmake -DWINTC_PREFIX=<prefix>
#
# Overridable on the command line / environment:
#   WINTC_PREFIX   the cross prefix (default: $ENV{WINTC_PREFIX}; else the folder of this file
#                  when it is the copy inside the prefix; else the "prefix" folder beside it)
#   QT_HOST_PATH   the host (Linux) Qt 6.4.2 whose moc/rcc/uic are used (default /usr)
#   CMAKE_CROSSCOMPILING_EMULATOR  defaults to wine, so ctest/add_test run the .exe files

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_wintc_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_wintc_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_wintc_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_wintc_triple}-windres)
set(CMAKE_AR           ${_wintc_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       ${_wintc_triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Where the cross prefix lives.
if(NOT WINTC_PREFIX)
    if(DEFINED ENV{WINTC_PREFIX})
        set(WINTC_PREFIX "$ENV{WINTC_PREFIX}")
    elseif(EXISTS "${CMAKE_CURRENT_LIST_DIR}/lib/cmake/Qt6/qt.toolchain.cmake")
        set(WINTC_PREFIX "${CMAKE_CURRENT_LIST_DIR}")   # this file is the copy inside the prefix
    else()
        get_filename_component(WINTC_PREFIX "${CMAKE_CURRENT_LIST_DIR}/prefix" ABSOLUTE)
    endif()
endif()
set(WINTC_PREFIX "${WINTC_PREFIX}" CACHE PATH "Cross prefix with Qt 6 / yaml-cpp for MinGW")

# Target libraries/headers/packages only from the MinGW sysroot and the cross prefix;
# programs (moc, rcc, ...) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${_wintc_triple} "${WINTC_PREFIX}")
list(APPEND CMAKE_PREFIX_PATH "${WINTC_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host Qt (Debian's qt6-base-dev-tools, same version 6.4.2) provides moc, rcc, uic.
if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH "/usr" CACHE PATH "Host Qt prefix")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/x86_64-linux-gnu/cmake" CACHE PATH "Host Qt CMake dir")
endif()

# Run target executables (try_run, add_test/ctest, custom commands using the target) under Wine.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(_wintc_wine NAMES wine wine64)
    if(_wintc_wine)
        set(CMAKE_CROSSCOMPILING_EMULATOR "${_wintc_wine}" CACHE FILEPATH "Run Windows programs")
    endif()
endif()
