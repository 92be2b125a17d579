# `cpack -G DEB` in the build folder: a Debian package of what cmake/Install.cmake
# installs, its dependencies worked out from the binaries by dpkg-shlibdeps.
# Only a build with the window program makes a package worth installing.
if(WIN32 OR NOT TARGET tessaro-ip OR NOT TARGET tessaro-cli)
  return()  # Windows: cmake/PackageWindows.cmake
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaro-ip)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TESSARO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for the Tessaro-IP network-to-paging converter")
# Debian shows the description as it stands: lines short enough for a terminal.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the settings of a Tessaro-IP unit over its serial\n"
    "diagnostic port, keeps settings files, sends test calls and shows the unit's\n"
    "diagnostics. Contains the window program tessaro-ip, the command-line tool\n"
    "tessaro-cli and the simulated unit tessaro-unit-sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
