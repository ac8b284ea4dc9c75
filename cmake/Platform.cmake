# What differs between the platforms Karvo builds for, decided here once; the folders'
# CMakeLists.txt files only read these variables.
#
# Windows (MinGW cross build from Debian, or a native build with Qt 6.4 or later):
# - serial ports through the Win32 communications API (core/link/CWinSerialPort), so Qt
#   Serial Port is neither needed nor linked;
# - the virtual unit and the tests that drive pseudo-terminals are POSIX programs and stay
#   out (the Windows programs reach the Linux unit through a Wine COM port instead);
# - one flat installed folder: the programs, karvo.def and the language folders together;
# - no desktop entry, icons or manual pages;
# - sound through RtAudio's DirectSound API (under Wine WASAPI lists the devices but cannot
#   start a stream), RtAudio found as the CMake package of the cross prefix.
# Elsewhere (Linux): Qt Serial Port, the FHS layout bin/ and share/karvo/, RtAudio's own
# choice of sound API (PulseAudio when a server runs, else ALSA) through pkg-config (Debian's
# librtaudio-dev ships no CMake package).
if(WIN32)
    set(KARVO_PLATFORM Win)
    set(KARVO_QT_SERIAL_COMPONENT "")
    set(KARVO_POSIX_TOOLS OFF)
    set(CMAKE_INSTALL_BINDIR .)
    set(CMAKE_INSTALL_FULL_BINDIR ${CMAKE_INSTALL_PREFIX})
    set(KARVO_INSTALL_DATADIR .)
    set(KARVO_INSTALL_FULL_DATADIR ${CMAKE_INSTALL_PREFIX})
    set(KARVO_DESKTOP_FILES OFF)
    set(KARVO_SOUND_API WINDOWS_DS)
    find_package(RtAudio CONFIG REQUIRED)
    set(KARVO_RTAUDIO RtAudio::rtaudio)
else()
    set(KARVO_PLATFORM Posix)
    set(KARVO_QT_SERIAL_COMPONENT SerialPort)
    set(KARVO_POSIX_TOOLS ON)
    include(GNUInstallDirs)
    set(KARVO_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/karvo)
    set(KARVO_INSTALL_FULL_DATADIR ${CMAKE_INSTALL_FULL_DATADIR}/karvo)
    set(KARVO_DESKTOP_FILES ON)
    set(KARVO_SOUND_API UNSPECIFIED)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(RTAUDIO REQUIRED IMPORTED_TARGET rtaudio)
    set(KARVO_RTAUDIO PkgConfig::RTAUDIO)
endif()
