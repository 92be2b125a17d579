# Protocol engine: the cost of one tick, and a read-all against the simulated
# unit at line speed set beside the pure wire time.
add_executable(engine_tick_bench ${CMAKE_CURRENT_LIST_DIR}/engine_tick_bench.cpp)
target_link_libraries(engine_tick_bench PRIVATE tessaro_protocol benchmark::benchmark tessaro_bench_support)

if(TESSARO_HAVE_QT AND TARGET tessaro-unit-sim)
  add_executable(read_all_wire_bench ${CMAKE_CURRENT_LIST_DIR}/read_all_wire_bench.cpp)
  target_link_libraries(read_all_wire_bench PRIVATE tessaro_protocol tessaro_serial_qt benchmark::benchmark tessaro_bench_support)
  target_compile_definitions(read_all_wire_bench PRIVATE
    TESSARO_UNIT_SIM_PATH="$<TARGET_FILE:tessaro-unit-sim>")
  add_dependencies(read_all_wire_bench tessaro-unit-sim)
endif()
