# What `cmake --install` puts where: the three programs on the PATH, and the
# window program in the desktop menu with its icon.
# Installing (and cpack) takes the programs as built; it does not first build
# every test and tool.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/PackageWindows.cmake)
  return()
endif()
include(GNUInstallDirs)
foreach(program tessaro-ip tessaro-cli tessaro-unit-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET tessaro-ip)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessaro-ip.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # Drawn by assets/draw-pictures.sh from the program's own icon drawing.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/packaging/icons/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# Who answers for the packages; an address of the project's own.
set(TESSARO_MAINTAINER "Tessaro-IP developers <tessaro-ip@example.org>")

# What Debian expects beside the programs: manual pages, the software-centre
# description, shell completion, and the package's copyright and changelog.
if(UNIX AND TARGET tessaro-ip AND TARGET tessaro-cli)
  # The release date is the last commit's, so that a rebuild of the same
  # sources makes the same files; SOURCE_DATE_EPOCH, when set, wins.
  set(date_epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(date_epoch STREQUAL "")
    find_package(Git QUIET)
    if(Git_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                      OUTPUT_VARIABLE date_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
  set(outer_epoch "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} "${date_epoch}")
  string(TIMESTAMP TESSARO_RELEASE_DATE "%Y-%m-%d" UTC)
  string(TIMESTAMP TESSARO_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${outer_epoch}")

  set(tessaro_packaging_dir ${PROJECT_BINARY_DIR}/packaging)
  # Compressed the way Debian does it: best compression, no name or time stamp.
  function(tessaro_gzip source target)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip ${source}: ${failed}")
    endif()
  endfunction()

  set(manual_pages tessaro-ip tessaro-cli)
  if(TARGET tessaro-unit-sim)
    list(APPEND manual_pages tessaro-unit-sim)
  endif()
  foreach(page IN LISTS manual_pages)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1.in
                   ${tessaro_packaging_dir}/man/${page}.1 @ONLY)
    tessaro_gzip(${tessaro_packaging_dir}/man/${page}.1 ${tessaro_packaging_dir}/man/${page}.1.gz)
    install(FILES ${tessaro_packaging_dir}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()

  configure_file(${PROJECT_SOURCE_DIR}/packaging/tessaro-ip.metainfo.xml.in
                 ${tessaro_packaging_dir}/org.example.tessaro_ip.metainfo.xml @ONLY)
  install(FILES ${tessaro_packaging_dir}/org.example.tessaro_ip.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/completion/tessaro-cli
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${tessaro_packaging_dir}/changelog @ONLY)
  tessaro_gzip(${tessaro_packaging_dir}/changelog ${tessaro_packaging_dir}/changelog.gz)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${tessaro_packaging_dir}/copyright @ONLY)
  install(FILES ${tessaro_packaging_dir}/changelog.gz ${tessaro_packaging_dir}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro-ip)
endif()
