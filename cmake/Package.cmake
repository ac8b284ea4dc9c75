# The Debian package: everything the install rules put under the prefix (/usr in the
# package). The shared libraries the programs link give the Qt runtime dependencies
# (libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libqt6serialport6,
# libqt6network6 for the network ports), found
# by dpkg-shlibdeps; the window system plugins come with libqt6gui6. The text setups read
# and write YAML through yaml-cpp (libyaml-cpp0.7, named here as well).
set(CPACK_PACKAGE_NAME karvo)
set(CPACK_PACKAGE_VENDOR "Karvo")
set(CPACK_PACKAGE_CONTACT "Karvo maintainers <karvo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for a tone-remote-control interface unit")
set(CPACK_PACKAGE_DESCRIPTION
    "Karvo edits the 211-byte E2PROM setup of a TRC interface unit (the box between\n"
    "a two-way radio and a telephone line) in ten setup dialogs, reads and writes the\n"
    "unit over a serial port and keeps setups as S-record files, in English, French,\n"
    "German, Spanish or Italian. karvo-cli does the same from the command line,\n"
    "karvo-unit is a virtual unit on a pseudo-terminal for trying Karvo without hardware.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libyaml-cpp0.7")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
