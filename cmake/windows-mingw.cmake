# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads)
# against a Qt for Windows built with the same compilers. scripts/build-windows
# uses it; by hand:
#   cmake -G Ninja -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-mingw.cmake
#         -DR7K_WINDOWS_QT=/path/to/qt6-mingw
# moc, rcc and uic come from the Linux Qt of the same version (QT_HOST_PATH).
# CTest runs the Windows programs under Wine (cmake/run_under_wine.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(R7K_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${R7K_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${R7K_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${R7K_MINGW}-windres)

# Checks that configure runs (try_compile) see the same Qt.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES R7K_WINDOWS_QT)
if(NOT R7K_WINDOWS_QT)
    message(FATAL_ERROR "Name the Qt for Windows: -DR7K_WINDOWS_QT=/path/to/qt6-mingw")
endif()

set(CMAKE_FIND_ROOT_PATH ${R7K_WINDOWS_QT} /usr/${R7K_MINGW})
set(CMAKE_PREFIX_PATH ${R7K_WINDOWS_QT}/lib/cmake)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(QT_HOST_PATH /usr)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run_under_wine.sh)
