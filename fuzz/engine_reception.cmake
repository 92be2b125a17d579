# The engine's reply reception fed with arbitrary bytes in every transaction.
add_executable(fuzz_engine_reception ${CMAKE_CURRENT_LIST_DIR}/engine_reception_fuzz.cpp)
target_link_libraries(fuzz_engine_reception PRIVATE tessaro_protocol tessaro_test_support)
target_link_options(fuzz_engine_reception PRIVATE -fsanitize=fuzzer)
