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
