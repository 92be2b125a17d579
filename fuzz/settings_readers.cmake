# Settings file readers and writers fed arbitrary file contents.
add_executable(fuzz_settings_readers ${CMAKE_CURRENT_LIST_DIR}/settings_readers_fuzz.cpp)
target_link_libraries(fuzz_settings_readers PRIVATE tessaro_files tessaro_test_support)
target_link_options(fuzz_settings_readers PRIVATE -fsanitize=fuzzer)
