# The reply receiver alone, fed arbitrary bytes and ticks. It is built into
# the harness optimised: the fuzz build has no build type, and unoptimised
# code costs most of the runs.
add_executable(fuzz_reply_receiver ${CMAKE_CURRENT_LIST_DIR}/reply_receiver_fuzz.cpp
                                   ${PROJECT_SOURCE_DIR}/protocol/ReplyReceiver.cpp)
target_include_directories(fuzz_reply_receiver PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(fuzz_reply_receiver PRIVATE -O2)
target_link_options(fuzz_reply_receiver PRIVATE -fsanitize=fuzzer)
