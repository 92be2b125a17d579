# The Windows packages, from `cpack` in a Windows build folder: a portable
# zip (-G ZIP) and an installer (-G NSIS, Debian's nsis package). Both hold
# one flat folder: the two programs, the Qt DLLs and plugins they load and
# the MinGW-w64 runtime, stripped. The program keeps its files beside itself
# when it may write there (the unpacked zip), else in %APPDATA%\Tessaro-IP.
if(NOT TARGET tessaro-ip OR NOT TARGET tessaro-cli)
  return()
endif()

install(TARGETS tessaro-ip tessaro-cli RUNTIME_DEPENDENCY_SET tessaro_windows_dlls RUNTIME DESTINATION .)
# Qt looks for its plugins in folders of these names beside the program.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin
        RUNTIME_DEPENDENCY_SET tessaro_windows_dlls LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin
        RUNTIME_DEPENDENCY_SET tessaro_windows_dlls LIBRARY DESTINATION styles)

# What those link, found in Qt's and the compiler's folders. Windows' own
# DLLs stay out.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${CMAKE_OBJDUMP})
set(dll_folders ${TESSARO_QT_BIN})
foreach(dll IN LISTS TESSARO_MINGW_RUNTIME)
  get_filename_component(folder ${dll} DIRECTORY)
  list(APPEND dll_folders ${folder})
endforeach()
install(RUNTIME_DEPENDENCY_SET tessaro_windows_dlls
        PRE_INCLUDE_REGEXES "^[Qq][Tt]6" "^lib(stdc\\+\\+|gcc_s|winpthread)"
        PRE_EXCLUDE_REGEXES ".*"
        DIRECTORIES ${dll_folders}
        RUNTIME DESTINATION .)

# Stripped like the programs: the Qt and runtime DLLs come with symbols.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\")
    foreach(binary IN LISTS binaries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

set(CPACK_GENERATOR ZIP NSIS)
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
# The uninstaller takes away the vendor key too, once nothing else is in it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "DeleteRegKey /ifempty SHCTX \"Software\\\\${CPACK_PACKAGE_VENDOR}\"")
include(CPack)
