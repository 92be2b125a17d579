# The Windows build's runtime: the MinGW-w64 DLLs every program needs, the Qt
# for Windows ones, and the search path Wine is given to run the programs from
# the build folder.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE libwinpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(libstdcxx ${libstdcxx} REALPATH)
get_filename_component(libwinpthread ${libwinpthread} REALPATH)
get_filename_component(libstdcxx_folder ${libstdcxx} DIRECTORY)
set(TESSARO_MINGW_RUNTIME ${libstdcxx_folder}/libgcc_s_seh-1.dll ${libstdcxx} ${libwinpthread})
foreach(dll IN LISTS TESSARO_MINGW_RUNTIME)
  if(NOT EXISTS ${dll})
    message(FATAL_ERROR "MinGW-w64 runtime DLL not found: ${dll}")
  endif()
endforeach()

set(folders)
foreach(dll IN LISTS TESSARO_MINGW_RUNTIME)
  get_filename_component(folder ${dll} DIRECTORY)
  list(APPEND folders ${folder})
endforeach()
if(TARGET Qt6::Core)
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(TESSARO_QT_BIN ${qt_core_dll} DIRECTORY)
  list(APPEND folders ${TESSARO_QT_BIN})
endif()
list(REMOVE_DUPLICATES folders)
# Wine reads Windows paths; its drive Z: is the host's root.
set(TESSARO_WINEPATH)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" folder "Z:${folder}")
  list(APPEND TESSARO_WINEPATH ${folder})
endforeach()

# Version information and the manifest for a program; ICON adds the program
# icon, packed from the menu-size pictures in packaging/icons/.
enable_language(RC)
function(tessaro_windows_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "ICON" "" "")
  set(TESSARO_RC_NAME ${target})
  set(TESSARO_RC_FILE_NAME ${target}.exe)
  set(TESSARO_RC_DESCRIPTION ${description})
  set(TESSARO_RC_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/program.manifest)
  set(TESSARO_RC_ICON "")
  set(depends ${TESSARO_RC_MANIFEST})
  if(arg_ICON)
    tessaro_windows_icon(icon)
    set(TESSARO_RC_ICON "1 ICON \"${icon}\"")
    list(APPEND depends ${icon})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE ${rc})
endfunction()

# The program icon as a Windows .ico file; the 256-pixel picture stays PNG
# inside it, as Windows expects.
function(tessaro_windows_icon out)
  set(ico ${PROJECT_BINARY_DIR}/packaging/tessaro-ip.ico)
  if(NOT TARGET tessaro_windows_icon)
    find_program(TESSARO_ICOTOOL icotool REQUIRED)
    set(pictures)
    foreach(size 16 24 32 48 64 128)
      list(APPEND pictures ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/apps/tessaro-ip.png)
    endforeach()
    set(large ${PROJECT_SOURCE_DIR}/packaging/icons/256x256/apps/tessaro-ip.png)
    add_custom_command(OUTPUT ${ico}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
      COMMAND ${TESSARO_ICOTOOL} -c -o ${ico} ${pictures} --raw=${large}
      DEPENDS ${pictures} ${large}
      COMMENT "Packing the program icon")
    add_custom_target(tessaro_windows_icon DEPENDS ${ico})
  endif()
  set(${out} ${ico} PARENT_SCOPE)
endfunction()
