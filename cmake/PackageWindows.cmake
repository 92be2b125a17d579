# The Windows packages, from `cpack` in a Windows build folder: a portable
# zip (-G ZIP) and an installer (-G NSIS, Debian's nsis package). Both hold
# one flat folder: the two programs, the Qt DLLs and plugins they load and
# the MinGW-w64 runtime, stripped. The program keeps its files beside itself
# when it may write there (the unpacked zip), else in %APPDATA%\Tessaro-IP.
if(NOT TARGET tessaro-ip OR NOT TARGET tessaro-cli)
  return()
endif()

install(TARGETS tessaro-ip tessaro-cli RUNTIME DESTINATION .)
# Qt looks for its plugins in folders of these names beside the program.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
# What the programs and those plugins link, named rather than worked out:
# CMake's resolver looks for the lower-cased names Windows is content with,
# which a case-sensitive build machine does not have. The zip's test fails
# on any DLL missing here.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets RUNTIME DESTINATION .)
install(FILES ${TESSARO_MINGW_RUNTIME} DESTINATION .)

# Stripped like the programs: the Qt and runtime DLLs come with symbols.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\")
    foreach(binary IN LISTS binaries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

set(CPACK_GENERATOR ZIP NSIS)
# Values reach the package tools as written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME tessaro-ip)
set(CPACK_PACKAGE_VENDOR Tessaro-IP)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME tessaro-ip-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for the Tessaro-IP network-to-paging converter")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tessaro-IP)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tessaro-IP)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/windows/license.txt)

# The zip unpacks into one folder named like the file.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# The installer: Program Files, a Start-menu entry with the program's own
# icon (from the exe), an uninstaller, and an entry in the list of installed
# programs.
tessaro_windows_icon(icon)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Tessaro-IP)
set(CPACK_NSIS_DISPLAY_NAME "Tessaro-IP ${PROJECT_VERSION}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES tessaro-ip Tessaro-IP)
set(CPACK_NSIS_INSTALLED_ICON_NAME tessaro-ip.exe)
set(CPACK_NSIS_MUI_ICON ${icon})
set(CPACK_NSIS_MUI_UNIICON ${icon})
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer for a 64-bit program (Target below): it writes the
# 64-bit registry and Program Files, and runs where no 32-bit Windows layer
# is installed.
# The uninstaller takes away the vendor key too, once nothing else is in it;
# its own steps empty it only at their very end.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")
include(CPack)
