# The reply receiver alone, fed arbitrary bytes and ticks.
add_executable(fuzz_reply_receiver ${CMAKE_CURRENT_LIST_DIR}/reply_receiver_fuzz.cpp)
target_link_libraries(fuzz_reply_receiver PRIVATE tessaro_protocol)
target_link_options(fuzz_reply_receiver PRIVATE -fsanitize=fuzzer)
