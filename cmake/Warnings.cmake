# Applied to every target of ours, not to third-party code.
add_compile_options(-Wall -Wextra)
# GCC 12 reports false array-bounds, stringop and restrict errors inside libstdc++'s vector growth
# when optimising (GCC bugs 106199, 107852); later releases do not.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-array-bounds -Wno-stringop-overread -Wno-stringop-overflow -Wno-restrict)
endif()
if(TESSARO_WERROR)
  add_compile_options(-Werror)
endif()
if(TESSARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(TESSARO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# One test executable per folder; tests are found when ctest runs, not at build time.
# A cross build runs each executable whole under the emulator (Wine), which
# starts far too slowly to run every test case in a process of its own.
function(tessaro_add_test name label)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock tessaro_test_support)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS ${label})
    if(TESSARO_WINEPATH)
      string(REPLACE ";" "\\;" winepath "${TESSARO_WINEPATH}")
      set_tests_properties(${name} PROPERTIES ENVIRONMENT "WINEPATH=${winepath}")
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${label})
  endif()
endfunction()
