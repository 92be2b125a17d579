# Headers fenced by the build: a library's include folder holds only its own
# folder (as a link to the source), so `#include "ui/MainWindow.h"` resolves
# only for code that links the ui library. A lower layer that reaches up
# fails to compile instead of quietly growing a dependency.
function(tessaro_fence_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${root}/${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
