# GoogleTest: the installed one, or for a cross build one built for the target
# from Debian's sources (package googletest).
if(CMAKE_CROSSCOMPILING)
  set(TESSARO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for a cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TESSARO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
