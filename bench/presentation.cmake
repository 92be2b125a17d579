# Settings presentation: one colouring pass (the 100 ms colour timer's work),
# over controls kept in memory and over the real widgets of an offscreen window.
add_executable(update_colours_bench ${CMAKE_CURRENT_LIST_DIR}/update_colours_bench.cpp)
target_link_libraries(update_colours_bench PRIVATE tessaro_presentation benchmark::benchmark tessaro_bench_support)

if(TESSARO_HAVE_QT AND TARGET tessaro_ui)
  add_executable(update_colours_window_bench ${CMAKE_CURRENT_LIST_DIR}/update_colours_window_bench.cpp)
  target_link_libraries(update_colours_window_bench PRIVATE tessaro_ui tessaro_serial_qt benchmark::benchmark tessaro_bench_support)
endif()
