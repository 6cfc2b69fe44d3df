# Skinned controls: cost of one slider repaint.
add_executable(bench_controls ${CMAKE_CURRENT_LIST_DIR}/bench_controls.cpp)
target_link_libraries(bench_controls PRIVATE controls_qt benchmark::benchmark kestrel_warnings)
